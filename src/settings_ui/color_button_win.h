// An owner-drawn button that shows a colour: a solid swatch with a black frame.
#pragma once

#include <windows.h>

class CColorButton {
 public:
  void Attach(HWND button) { button_ = button; }
  // Stores the colour and repaints the button at once.
  void SetColor(COLORREF color);
  // WM_DRAWITEM of the button. Focus and pressed states are not drawn.
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  HWND button_ = nullptr;
  COLORREF color_ = 0;
};
