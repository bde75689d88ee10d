// Start-up and end of the program, driven from outside as a user would.
#include <gtest/gtest.h>

#include "support/e2e_win.h"
#include "support/settings_sandbox.h"

namespace {

constexpr DWORD kStartBound = 30000;
constexpr DWORD kEndBound = 10000;

e2e::WindowQuery MainWindowOf(DWORD processId) { return {"#32770", "Larkspur32", processId}; }

bool MutexExists() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Larkspur32Mutex");
  if (mutex == nullptr) {
    return false;
  }
  CloseHandle(mutex);
  return true;
}

class StartupTest : public ::testing::Test {
 protected:
  // Starts the program and waits for its main window.
  HWND StartFirst() {
    EXPECT_TRUE(first_.Start("\"" + e2e::ProgramPath() + "\"", e2e::BinDir()))
      << "error " << first_.StartError();
    HWND window = e2e::WaitForWindow(MainWindowOf(first_.Id()), kStartBound);
    EXPECT_NE(window, nullptr) << "no window captioned Larkspur32 within 30 s";
    return window;
  }

  SettingsSandbox sandbox_;
  e2e::Process first_;
};

TEST_F(StartupTest, TheFirstStartShowsTheMainWindowAndClosingItEndsTheProgram) {
  HWND window = StartFirst();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(MutexExists());
  // Disarmed at start: the next run is not shown.
  EXPECT_EQ(e2e::ControlText(window, 1000), "--:--");
  EXPECT_EQ(e2e::ControlText(window, 1002), "---");
  EXPECT_FALSE(e2e::SaveScreenshot(window, "startup-main-window").empty());

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first_.WaitForExit(kEndBound)) << "the program did not end within 10 s of its close";
  EXPECT_EQ(first_.ExitCode(), 0u);
  EXPECT_FALSE(MutexExists());
}

TEST_F(StartupTest, ASecondStartEndsAtOnceWithoutAWindowAndLeavesTheFirstAlone) {
  HWND window = StartFirst();
  ASSERT_NE(window, nullptr);
  RECT before{};
  GetWindowRect(window, &before);

  e2e::Process second;
  ASSERT_TRUE(second.Start("\"" + e2e::ProgramPath() + "\"", e2e::BinDir()))
      << "error " << second.StartError();
  bool secondShowedAWindow = false;
  const bool ended = e2e::WaitUntil(
      [&] {
        secondShowedAWindow = secondShowedAWindow || !e2e::FindWindows({"", "", second.Id()}).empty();
        return !second.IsRunning();
      },
      kEndBound);
  ASSERT_TRUE(ended) << "the second start did not end within 10 s";
  EXPECT_FALSE(secondShowedAWindow);

  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(IsWindowVisible(window));
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(e2e::FindWindows({"#32770", "Larkspur32", 0}).size(), 1u);
  EXPECT_TRUE(first_.IsRunning());
}

TEST_F(StartupTest, EscapeAndEnterEachEndTheProgram) {
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    HWND window = StartFirst();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(first_.WaitForExit(kEndBound)) << "key " << key << " did not end the program";
  }
}

}  // namespace
