// The picture shown for a few seconds while the program starts, with a
// waiting message below it. It lives on the heap, needs nobody to keep it,
// and removes and deletes itself when its time is over.
#pragma once

#include <windows.h>

#include <string>

#include "win/dialog_win.h"

class CSplashDialog : public CDialog {
 public:
  static constexpr UINT kShowMs = 4000;
  // Height of the message band below the picture.
  static constexpr int kBandHeight = 30;

  CSplashDialog();

  // Creates the window without a parent.
  bool Create();

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // A click or a key hides the splash; it goes only when its time is over.
  void OnOK() override;
  void OnCancel() override;

 private:
  void OnPaint();
  void OnTimer();
  RECT MessageBand() const;

  std::string message_;
};
