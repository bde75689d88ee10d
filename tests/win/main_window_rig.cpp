#include "main_window_rig.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/main_dialog_win.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "support/e2e_win.h"

HWND MainWindowTest::Open(IDialer& dialer) {
  auto* dialog = new CMainDialog(CJobSequencer::Ports{client_, dialer, launcher_, clock_});
  if (!dialog->Create()) {
    delete dialog;
    return nullptr;
  }
  return window_ = dialog->Handle();
}

void MainWindowTest::Close() {
  if (window_ != nullptr && IsWindow(window_)) {
    DestroyWindow(window_);
  }
  window_ = nullptr;
}

RECT MainWindowTest::WindowRect() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect;
}

int MainWindowTest::ClientHeight() const {
  RECT rect{};
  GetClientRect(window_, &rect);
  return rect.bottom;
}

std::pair<int, int> MainWindowTest::Slot(int index) const {
  TBBUTTON button{};
  SendMessageA(ToolBar(), TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  return (button.fsStyle & BTNS_SEP) != 0 ? std::make_pair(0, 0) : std::make_pair(button.idCommand, button.iBitmap);
}

bool MainWindowTest::IconPresent(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = ID_TRAY_ICON;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool MainWindowTest::ButtonEnabled(int command) const {
  return SendMessageA(ToolBar(), TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

int MainWindowTest::TakePostedCommand() {
  MSG message{};
  return PeekMessageA(&message, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE) ? LOWORD(message.wParam) : 0;
}

void MainWindowTest::Settle() {
  e2e::WaitUntil([] { return false; }, 300);
}

void MainWindowTest::WriteRootDword(const char* name, int value) {
  CSettingsKey root;
  root.WriteDword(name, value);
}

int MainWindowTest::ReadRootDword(const char* name) {
  CSettingsKey root;
  return root.ReadDword(name, -1);
}
