// What the tests of the settings sheet share: a settings root of their own,
// two data roots of the mail client with Japanese account and folder titles,
// and the running sheet's pages.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"

namespace settings_test {

constexpr const char* kSheetCaption = "設定";
constexpr const char* kFolderDialogCaption = "ﾌｫﾙﾀﾞ選択";

enum PageIndex { kCorvidPage, kGeneralPage, kSchedulePage, kReservePage, kRemainPage, kCommandPage };

// The stored root: 表示 (Account1: inbox, outbox, 仕事 holding ２００２年 and
// ソフト能力), ポスト (Account2: inbox, outbox, 予約) and ｶﾅ (Account3, no
// folders). The other: ソフト, 能力 and ポスト again.
constexpr const char* kWork = "表示";
constexpr const char* kHome = "ポスト";
constexpr const char* kKana = "ｶﾅ";

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override;

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_;
  std::string otherRoot_;
};

// Stores root as the data root the sheet starts with.
void UseDataRoot(const std::string& root);

// The running sheet, and a page of it made the active page.
HWND Sheet();
HWND ShowPage(int index);

}  // namespace settings_test
