// The history window: the run history's events, newest first, each with its
// time, account and what happened, failures marked by a warning sign. It is
// modeless, shows the file anew whenever asked (the main window asks after
// every event), and opens the file in the program the user has for it.
#pragma once

#include "history/run_history.h"
#include "win/dialog_win.h"

class CHistoryDialog : public CDialog {
 public:
  // The most events the list shows.
  static constexpr std::size_t kMaxRows = 1000;

  explicit CHistoryDialog(const CHistoryFile& file);
  ~CHistoryDialog() override;

  // Creates the window, or brings it to the front when it is open already.
  void Open(HWND owner);
  bool IsOpen() const { return IsWindow(Handle()) != FALSE; }
  // Reads the file again into the list.
  void Refresh();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void OpenFile();

  const CHistoryFile& file_;
  HIMAGELIST images_ = nullptr;
};
