// The splash: centred, 30 pixels higher than its picture, hidden by a click,
// gone and deleted after four seconds.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/splash_dialog_win.h"
#include "res/resource.h"
#include "support/e2e_win.h"

namespace {

constexpr DWORD kGoneBound = 8000;

int deletions = 0;

class CountedSplash : public CSplashDialog {
 public:
  ~CountedSplash() override { ++deletions; }
};

HWND OpenSplash() {
  auto* splash = new CountedSplash();
  if (!splash->Create()) {
    delete splash;
    return nullptr;
  }
  return splash->Handle();
}

// Handles messages until the splash is gone, within a bound.
void WaitUntilGone(HWND splash) {
  e2e::WaitUntil([&] { return !IsWindow(splash); }, kGoneBound);
}

TEST(Splash, IsCentredThirtyPixelsHigherThanItsPictureAndGoesAfterFourSeconds) {
  deletions = 0;
  const DWORD opened = GetTickCount();
  HWND splash = OpenSplash();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(IsWindowVisible(splash));
  EXPECT_NE(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  RECT window{};
  GetWindowRect(splash, &window);
  RECT picture{};
  GetWindowRect(GetDlgItem(splash, IDC_SPLASH_PICTURE), &picture);
  EXPECT_EQ(picture.right - picture.left, 312);
  EXPECT_EQ(picture.bottom - picture.top, 132);
  EXPECT_EQ(window.right - window.left, 312);
  EXPECT_EQ(window.bottom - window.top, 132 + 30);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_LE(std::abs((window.left + window.right) - (desktop.left + desktop.right)), 1);
  EXPECT_LE(std::abs((window.top + window.bottom) - (desktop.top + desktop.bottom)), 1);
  e2e::WaitUntil([] { return false; }, 300);
  EXPECT_FALSE(e2e::SaveScreenshot(splash, "splash").empty());

  WaitUntilGone(splash);
  const DWORD lived = GetTickCount() - opened;
  EXPECT_FALSE(IsWindow(splash)) << "the splash was still there after " << lived << " ms";
  EXPECT_GE(lived, 3900u);
  EXPECT_EQ(deletions, 1);
}

TEST(Splash, AClickOrAKeyHidesItAtOnceAndItIsDeletedWhenItsTimeIsOver) {
  deletions = 0;
  // Side by side, so the three share one wait.
  const UINT inputs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_KEYDOWN};
  HWND splashes[3] = {};
  for (int i = 0; i < 3; ++i) {
    splashes[i] = OpenSplash();
    ASSERT_NE(splashes[i], nullptr);
    if (inputs[i] == WM_KEYDOWN) {
      // Enter reaches a dialog as its OK command.
      SendMessageA(splashes[i], WM_COMMAND, IDOK, 0);
    } else {
      PostMessageA(splashes[i], inputs[i], 0, MAKELPARAM(20, 20));
    }
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(splashes[i]); }, 1000)) << inputs[i];
    EXPECT_TRUE(IsWindow(splashes[i])) << inputs[i];
  }
  EXPECT_EQ(deletions, 0);
  for (int i = 0; i < 3; ++i) {
    WaitUntilGone(splashes[i]);
    EXPECT_FALSE(IsWindow(splashes[i])) << inputs[i];
  }
  EXPECT_EQ(deletions, 3);
}

}  // namespace
