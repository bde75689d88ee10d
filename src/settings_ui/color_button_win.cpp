#include "settings_ui/color_button_win.h"

void CColorButton::SetColor(COLORREF color) {
  color_ = color;
  if (button_ != nullptr) {
    RedrawWindow(button_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

void CColorButton::Draw(const DRAWITEMSTRUCT& item) const {
  HBRUSH fill = CreateSolidBrush(color_);
  FillRect(item.hDC, &item.rcItem, fill);
  DeleteObject(fill);
  FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
