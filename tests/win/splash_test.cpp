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
  // Side by side, so all share one wait: untouched, clicked left, clicked
  // right, and Enter (which a dialog gets as OK).
  HWND splashes[4] = {};
  for (HWND& splash : splashes) {
    auto* object = new CountedSplash();
    ASSERT_TRUE(object->Create());
    splash = object->Handle();
  }
  PostMessageA(splashes[1], WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
  PostMessageA(splashes[2], WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
  SendMessageA(splashes[3], WM_COMMAND, IDOK, 0);
  e2e::WaitUntil([] { return false; }, 300);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(IsWindowVisible(splashes[i]) != FALSE, i == 0) << i;
  }
  EXPECT_NE(GetWindowLongA(splashes[0], GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(e2e::SaveScreenshot(splashes[0], "splash").empty());

  RECT window{};
  RECT picture{};
  RECT desktop{};
  GetWindowRect(splashes[0], &window);
  GetWindowRect(GetDlgItem(splashes[0], IDC_SPLASH_PICTURE), &picture);
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(picture.right - picture.left, 312);
  EXPECT_EQ(window.right - window.left, 312);
  EXPECT_EQ(window.bottom - window.top, picture.bottom - picture.top + 30);
  EXPECT_LE(std::abs(window.left + window.right - desktop.right), 1);
  EXPECT_LE(std::abs(window.top + window.bottom - desktop.bottom), 1);

  EXPECT_EQ(deletions, 0);
  const bool gone = e2e::WaitUntil(
      [&] { return !IsWindow(splashes[0]) && !IsWindow(splashes[1]) && !IsWindow(splashes[2]) && !IsWindow(splashes[3]); },
      8000);
  EXPECT_TRUE(gone) << "a splash was still there after 8 s";
  EXPECT_GE(GetTickCount() - opened, 3900u);
  EXPECT_EQ(deletions, 4);
}

}  // namespace
