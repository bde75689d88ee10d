// The main window created in the test process, with fakes for the client, the
// dial-up line, the launcher and the clock, a clean settings root and an
// application object whose idle handlers the tests run on demand.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dial_up/dialer.h"
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

  HWND Open() { return Open(dialer_); }
  HWND Open(IDialer& dialer);
  // Destroys the window, which runs its close-down.
  void Close();

  HWND ToolBar() const { return GetDlgItem(window_, 59392); }
  void Command(int id) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  RECT WindowRect() const;
  int ClientHeight() const;
  // The command on a toolbar slot (0 for a separator) and its image.
  std::pair<int, int> Slot(int index) const;
  bool ButtonEnabled(int command) const;
  // The first WM_COMMAND posted to the window and not yet handled, or 0.
  int TakePostedCommand();
  // Handles messages for a moment, so the window is painted for a screenshot.
  static void Settle();

  // True while the shell holds the program's tray icon for window.
  static bool IconPresent(HWND window);
  static void WriteRootDword(const char* name, int value);
  static int ReadRootDword(const char* name);

  SettingsSandbox sandbox_;
  TestApplication app_;
  FakeClient client_;
  FakeDialer dialer_;
  FakeLauncher launcher_;
  FakeClock clock_;
  HWND window_ = nullptr;
};
