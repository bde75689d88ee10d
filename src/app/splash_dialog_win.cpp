#include "app/splash_dialog_win.h"

#include "res/resource.h"
#include "win/window_geometry_win.h"

namespace {

constexpr int kMessageFontHeight = 15;

}  // namespace

CSplashDialog::CSplashDialog() : CDialog(IDD_SPLASH) {}

bool CSplashDialog::Create() { return CDialog::Create(nullptr); }

bool CSplashDialog::OnInitDialog() {
  message_ = "しばらくお待ちください";
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RECT area = ChildRect(Item(IDC_SPLASH_PICTURE));
  area.bottom += kBandHeight;
  MoveWindow(Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  CenterOnDesktop(Handle());
  SetTimer(Handle(), TIMER_SPLASH, kShowMs, nullptr);
  return true;
}

RECT CSplashDialog::MessageBand() const {
  RECT band = ChildRect(Item(IDC_SPLASH_PICTURE));
  band.top = band.bottom;
  band.bottom = band.top + kBandHeight;
  return band;
}

void CSplashDialog::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT band = MessageBand();
  HFONT font = CreateFontA(kMessageFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                           VARIABLE_PITCH | FF_DONTCARE, "MSP明朝");
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawTextA(dc, message_.c_str(), -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (previous != nullptr) {
    SelectObject(dc, previous);
  }
  if (font != nullptr) {
    DeleteObject(font);
  }
  EndPaint(Handle(), &paint);
}

void CSplashDialog::OnTimer() {
  KillTimer(Handle(), TIMER_SPLASH);
  DestroyWindow(Handle());
  delete this;
}

void CSplashDialog::OnOK() { ShowWindow(Handle(), SW_HIDE); }

void CSplashDialog::OnCancel() { ShowWindow(Handle(), SW_HIDE); }

bool CSplashDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_TIMER:
      if (wParam != TIMER_SPLASH) {
        return false;
      }
      OnTimer();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      PostMessageA(Handle(), WM_COMMAND, IDCANCEL, 0);
      return false;
    default:
      return false;
  }
}
