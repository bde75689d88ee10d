// A toolbar inside a dialog: a row of image buttons across the top of the
// dialog's client area with a border below it. A dialog has no idle-time
// command updates of its own, so the bar asks its dialog at every idle moment
// of the message loop which commands are available and greys out the others.
#pragma once

#include <windows.h>

#include <cstddef>

#include "win/application_win.h"

// Whether a command can be chosen now.
class ICommandStates {
 public:
  virtual ~ICommandStates() = default;
  virtual bool IsCommandEnabled(int id) const = 0;
};

struct ToolBarSlot {
  int command;  // 0: a separator
  int image;    // index of the button's image in the bitmap
};

class CDialogToolBar : private IIdleHandler {
 public:
  // The control id toolbars conventionally carry.
  static constexpr int kControlId = 59392;

  CDialogToolBar() = default;
  ~CDialogToolBar() override;
  CDialogToolBar(const CDialogToolBar&) = delete;
  CDialogToolBar& operator=(const CDialogToolBar&) = delete;

  // Creates the bar at the top of parent's client area. The bitmap resource
  // holds the images side by side, imageSize each; its silver turns into the
  // button face. False, with nothing left behind, when the bar or its bitmap
  // could not be made.
  bool Create(HWND parent, int bitmapId, SIZE imageSize, const ToolBarSlot* slots,
              std::size_t count, const ICommandStates& states);
  void Destroy();

  HWND Handle() const { return bar_; }
  // Height of the bar and its border in pixels; 0 without a bar.
  int Height() const;
  // True for the windows that make up the bar.
  bool Owns(HWND window) const;
  // Lays the bar across the top of its parent's client area again.
  void Layout();

  // Puts another command and image on a slot (0 is the leftmost).
  bool SetSlot(int index, int command, int image);

  // Enables each button as the dialog says, while the bar is visible.
  void UpdateButtons();

 private:
  void OnIdle() override { UpdateButtons(); }

  HWND bar_ = nullptr;
  HWND border_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  const ICommandStates* states_ = nullptr;
  bool idleRegistered_ = false;
};
