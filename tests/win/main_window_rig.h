// The main window created in the test process, with a fake dial-up line, a
// clean settings root and an application object, so the toolbar's idle
// updates can be run on demand.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "client/dialer.h"
#include "support/settings_sandbox.h"
#include "win/application_win.h"

class FakeDialer : public IDialer {
 public:
  bool HasConnection() const override { return connected; }
  long Connect(const std::string&) override { return 0; }
  void HangUp(int pollSleepMs) override {
    ++hangUps;
    lastPollSleepMs = pollSleepMs;
    connected = false;
  }

  bool connected = false;
  int hangUps = 0;
  int lastPollSleepMs = -1;
};

class TestApplication : public CWinApplication {
 protected:
  bool InitInstance() override { return true; }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { Close(); }

  // Creates the main window; nullptr when it could not be created.
  HWND Open() { return Open(dialer_); }
  HWND Open(IDialer& dialer);
  // Destroys it, which runs the close-down.
  void Close();

  HWND ToolBar() const { return GetDlgItem(window_, 59392); }
  void Command(int id) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  RECT WindowRect() const;
  RECT ClientRect() const;
  // Command and image of a toolbar slot (0 is the leftmost); command 0 for a separator.
  int SlotCommand(int index) const;
  int SlotImage(int index) const;
  bool ButtonEnabled(int command) const;
  // Handles messages for a moment, so the window is painted (for screenshots).
  static void Settle();
  // The first WM_COMMAND posted to the window and still waiting, 0 when none.
  int TakePostedCommand();

  static void WriteRootDword(const char* name, int value);
  static int ReadRootDword(const char* name, int fallback);

  SettingsSandbox sandbox_;
  TestApplication app_;
  FakeDialer dialer_;
  HWND window_ = nullptr;
};
