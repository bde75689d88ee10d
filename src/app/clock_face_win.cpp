#include "app/clock_face_win.h"

#include "res/resource.h"
#include "win/window_geometry_win.h"
#include "win/window_text_win.h"

namespace {

constexpr int kNowWeight = FW_BOLD;
constexpr int kNextWeight = FW_HEAVY;

}  // namespace

CClockFace::~CClockFace() {
  for (HFONT font : {nowFont_, nextFont_}) {
    if (font != nullptr) {
      DeleteObject(font);
    }
  }
}

void CClockFace::MakeFont(HFONT& font, int controlId, int weight, const std::string& face) {
  if (font != nullptr) {
    DeleteObject(font);
    font = nullptr;
  }
  HWND control = GetDlgItem(dialog_, controlId);
  if (control == nullptr) {
    return;
  }
  const RECT area = ChildRect(control);
  font = CreateFontA(area.bottom - area.top, (area.right - area.left) / 6, 0, 0, weight, FALSE,
                     FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     PROOF_QUALITY, FF_ROMAN | DEFAULT_PITCH, face.c_str());
}

LOGFONTA CClockFace::LogFontOf(HFONT font) {
  LOGFONTA description{};
  if (font != nullptr) {
    GetObjectA(font, sizeof description, &description);
  }
  return description;
}

void CClockFace::MakeNowFont(const std::string& face) { MakeFont(nowFont_, IDC_NOW_TIME, kNowWeight, face); }

void CClockFace::MakeNextFont(const std::string& face) {
  MakeFont(nextFont_, IDC_NEXT_TIME, kNextWeight, face);
}

void CClockFace::SetColors(COLORREF now, COLORREF next) {
  nowColor_ = now;
  nextColor_ = next;
}

void CClockFace::ShowNow(const LocalTime& now) {
  SetDlgItemTextA(dialog_, IDC_NOW_TIME, ClockTimeText(now).c_str());
  SetDlgItemTextA(dialog_, IDC_NOW_WEEKDAY, WeekdayLabel(now.weekday).c_str());
  Redraw();
}

void CClockFace::ShowNextRun(const NextRunTexts& texts) {
  SetDlgItemTextA(dialog_, IDC_NEXT_TIME, texts.time.c_str());
  SetDlgItemTextA(dialog_, IDC_NEXT_WEEKDAY, texts.weekday.c_str());
  Redraw();
}

void CClockFace::Redraw() const {
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CClockFace::DrawTime(HDC dc, int controlId, HFONT font, COLORREF color) const {
  HWND control = GetDlgItem(dialog_, controlId);
  if (control == nullptr) {
    return;
  }
  RECT area = ChildRect(control);
  const std::string text = WindowText(control);
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetTextColor(dc, color);
  DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_TOP | DT_SINGLELINE);
  if (previous != nullptr) {
    SelectObject(dc, previous);
  }
}

void CClockFace::Paint(HDC dc) const {
  // Opaque on the button face, so a new text fully covers the old one.
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetBkMode(dc, OPAQUE);
  DrawTime(dc, IDC_NOW_TIME, nowFont_, nowColor_);
  DrawTime(dc, IDC_NEXT_TIME, nextFont_, nextColor_);
}
