#include "app/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>

#include "res/product.h"
#include "res/resource.h"
#include "text/cp932.h"

namespace {

// The record in its first and shortest form, which every shell accepts.
NOTIFYICONDATAA IconRecord(HWND owner) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = ID_TRAY_ICON;
  return data;
}

}  // namespace

bool CTrayIcon::Install(HWND owner, HICON icon) {
  NOTIFYICONDATAA data = IconRecord(owner);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_TRAY_NOTIFY;
  data.hIcon = icon;
  std::strcpy(data.szTip, kProductCaption);
  if (!Shell_NotifyIconA(NIM_ADD, &data)) {
    return false;
  }
  present_ = true;
  keptHidden_ = true;
  return true;
}

bool CTrayIcon::Remove(HWND owner) {
  NOTIFYICONDATAA data = IconRecord(owner);
  const bool removed = Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
  present_ = false;
  keptHidden_ = false;
  return removed;
}

bool CTrayIcon::SetTip(HWND owner, const std::string& tip) const {
  if (!present_) {
    return false;
  }
  NOTIFYICONDATAA data = IconRecord(owner);
  data.uFlags = NIF_TIP;
  std::strcpy(data.szTip, cp932::Truncate(tip, sizeof data.szTip - 1).c_str());
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool CTrayIcon::ShowBalloon(HWND owner, const std::string& text, bool warning) const {
  if (!present_) {
    return false;
  }
  // The balloon's fields come with the record's second form.
  NOTIFYICONDATAA data = IconRecord(owner);
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.uFlags = NIF_INFO;
  std::strcpy(data.szInfo, cp932::Truncate(text, sizeof data.szInfo - 1).c_str());
  std::strcpy(data.szInfoTitle, kProductCaption);
  data.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void CTrayIcon::FilterPositionChange(WINDOWPOS& change) const {
  if (KeptHidden()) {
    change.flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
  }
}
