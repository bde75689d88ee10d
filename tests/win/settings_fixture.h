// What the tests of the settings dialogs share: a settings root of their own,
// two mail client data roots with Japanese account and folder titles, and
// ways to reach the sheet's pages while it runs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/account_job.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"

namespace settings_test {

constexpr const char* kSheetCaption = "設定";
constexpr const char* kFolderDialogCaption = "ﾌｫﾙﾀﾞ選択";

enum PageIndex { kCorvidPage, kGeneralPage, kSchedulePage, kReservePage, kRemainPage, kCommandPage };

// First root: 表示 (Account1: inbox, outbox, 仕事 holding ２００２年 and
// ソフト能力), ポスト (Account2: inbox, outbox, 予約) and ｶﾅ (Account3, no
// folders). Second root: ソフト (Account1: inbox, outbox), 能力 (Account2:
// inbox) and ポスト again (Account3). The directory scan decides the order
// of accounts.
constexpr const char* kWork = "表示";
constexpr const char* kHome = "ポスト";
constexpr const char* kKana = "ｶﾅ";
constexpr const char* kOtherFirst = "ソフト";
constexpr const char* kOtherSecond = "能力";

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

// The running sheet and a page of it, which becomes the active page.
HWND Sheet();
HWND ShowPage(int index);

// The record titled title, or nullptr.
const CAccountJob* JobTitled(const CAccountJobList& jobs, const std::string& title);

// Index of the item with text in a combo box, -1 when none.
int ComboIndex(HWND dialog, int id, const std::string& text);

}  // namespace settings_test
