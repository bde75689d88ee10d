// Drives modal windows of the test's own thread (dialogs, message boxes,
// pop-up menus) by steps run one after the other from a timer, inside whatever
// modal loop holds the thread. Past the bound every dialog and menu is closed,
// so the test's modal call returns. Steps must not block: an action that opens
// a modal window posts its message. One script runs at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/e2e_win.h"

namespace ui {

class Script {
 public:
  explicit Script(DWORD boundMs = 20000) : boundMs_(boundMs) {}
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Waits until ready() holds, then runs act().
  Script& When(const std::string& what, std::function<bool()> ready, std::function<void()> act);
  // Waits for the enabled dialog captioned caption, then runs act(dialog).
  Script& OnDialog(const std::string& caption, std::function<void(HWND)> act);
  // Waits until the dialog of the last OnDialog step is gone, then runs act().
  Script& AfterClose(const std::string& what, std::function<void()> act);
  // Call it right before the modal call under test.
  void Start();
  // Empty when every step ran and the windows closed in time.
  std::string Failure() const;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
  };
  DWORD boundMs_;
  std::vector<Step> steps_;
  std::shared_ptr<HWND> lastDialog_;
  std::size_t next_ = 0;
  static Script* running_;
  UINT_PTR timer_ = 0;
  DWORD start_ = 0;
  bool timedOut_ = false;
};

// This process's visible, enabled dialog captioned caption (any caption when
// empty) that is none of known, or nullptr.
HWND FindModal(const std::string& caption, const std::vector<HWND>& known = {});
// The text of a message box.
std::string MessageText(HWND box);


}  // namespace ui
