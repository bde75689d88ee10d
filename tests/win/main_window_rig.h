// The main window created in the test process, with fakes for the client, the
// dial-up line, the launcher and the clock, a clean settings root and an
// application object whose idle handlers the tests run on demand.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/main_dialog_win.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "support/job_fakes.h"
#include "support/settings_sandbox.h"
#include "win/application_win.h"

class TestApplication : public CWinApplication {
 protected:
  bool InitInstance() override { return true; }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { Close(); }

  HWND Open() {
    // The window deletes its object when it is destroyed.
    auto* dialog = new CMainDialog(CJobSequencer::Ports{client_, dialer_, launcher_, clock_});
    if (dialog->Create()) return window_ = dialog->Handle();
    delete dialog;
    return window_ = nullptr;
  }
  // Destroying the window runs its close-down.
  void Close() {
    if (IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
  }
  void Command(int id) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // True while the shell holds the program's tray icon for window.
  static bool IconPresent(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = ID_TRAY_ICON;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
  }
  static void WriteRootDword(const char* name, int value) { CSettingsKey().WriteDword(name, value); }
  static int ReadRootDword(const char* name) { return CSettingsKey().ReadDword(name, -1); }

  SettingsSandbox sandbox_;
  TestApplication app_;
  FakeClient client_;
  FakeDialer dialer_;
  FakeLauncher launcher_;
  FakeClock clock_;
  HWND window_ = nullptr;
};
