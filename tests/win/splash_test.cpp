// The splash: centred, 30 pixels higher than its picture, hidden by a click
// or a key, gone and deleted four seconds after it opened.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/splash_dialog_win.h"
#include "res/resource.h"
#include "support/e2e_win.h"

namespace {

int deletions = 0;

class CountedSplash : public CSplashDialog {
 public:
  ~CountedSplash() override { ++deletions; }
};

TEST(Splash, IsCentredAboveItsMessageBandHidesOnAClickAndGoesAfterFourSeconds) {
  const DWORD opened = GetTickCount();
  deletions = 0;
  // Side by side, so all share one wait: untouched, clicked left, clicked
  // right, and Enter (which a dialog gets as OK).
  HWND splashes[4] = {};
  for (HWND& splash : splashes) {
    auto* object = new CountedSplash();
    ASSERT_TRUE(object->Create());
    splash = object->Handle();
  }
  SendMessageA(splashes[1], WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
  SendMessageA(splashes[2], WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
  SendMessageA(splashes[3], WM_COMMAND, IDOK, 0);
  // A click posts the command that hides the splash.
  e2e::WaitUntil([&] { return !IsWindowVisible(splashes[1]) && !IsWindowVisible(splashes[2]); }, 2000);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(IsWindowVisible(splashes[i]) != FALSE, i == 0) << i;
  EXPECT_NE(GetWindowLongA(splashes[0], GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(e2e::SaveScreenshot(splashes[0], "splash").empty());
  RECT window{}, picture{};
  GetWindowRect(splashes[0], &window);
  GetWindowRect(GetDlgItem(splashes[0], IDC_SPLASH_PICTURE), &picture);
  EXPECT_EQ(window.bottom - window.top, picture.bottom - picture.top + 30);
  EXPECT_LE(std::abs(window.left + window.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(window.top + window.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);

  EXPECT_EQ(deletions, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return deletions == 4; }, 8000)) << "a splash was still there after 8 s";
  EXPECT_GE(GetTickCount() - opened, 3900u);
  for (HWND splash : splashes) EXPECT_FALSE(IsWindow(splash));
}

}  // namespace
