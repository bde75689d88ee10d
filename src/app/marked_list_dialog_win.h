// A modeless window around one report list whose rows may carry a warning
// sign: the history window and the pending window. Opening it while it is
// open brings it to the front and reads its rows again.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "win/dialog_win.h"

class CMarkedListDialog : public CDialog {
 public:
  CMarkedListDialog(int templateId, int listId);
  ~CMarkedListDialog() override;

  void Open(HWND owner);
  bool IsOpen() const { return IsWindow(Handle()) != FALSE; }
  // Reads the rows again; nothing while the window is closed.
  void Refresh();

 protected:
  // The image of a marked row's first cell.
  static constexpr int kWarningImage = 0;

  bool OnInitDialog() override;
  // The columns' titles (string resource ids) and widths in pixels.
  virtual std::vector<std::pair<int, int>> Columns(HWND list) const = 0;
  virtual void FillRows(HWND list) = 0;

 private:
  int listId_;
  HIMAGELIST images_ = nullptr;
};
