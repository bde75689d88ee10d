#include "app/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>

#include "res/product.h"
#include "res/resource.h"

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

void CTrayIcon::FilterPositionChange(WINDOWPOS& change) const {
  if (KeptHidden()) {
    change.flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
  }
}
