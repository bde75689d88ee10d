// The settings root as the engine and the settings sheet read and store it,
// under the value names users' existing profiles already hold.
#include <gtest/gtest.h>

#include "sample_data/sample_data.h"
#include "settings/job_settings.h"
#include "settings/settings_draft.h"
#include "settings/settings_layout.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"

namespace {

void Store(const std::vector<std::pair<const char*, int>>& numbers,
           const std::vector<std::pair<const char*, std::string>>& texts,
           const std::vector<std::string>& fetchAccounts) {
  CSettingsKey root;
  for (const auto& [name, value] : numbers) {
    root.WriteDword(name, value);
  }
  for (const auto& [name, text] : texts) {
    root.WriteString(name, text);
  }
  layout::ReplaceTextList(root, "DefAccount", "account%d", fetchAccounts);
}

class SettingsTest : public ::testing::Test {
 protected:
  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
};

TEST_F(SettingsTest, TheEngineTellsAbsentValuesFromEmptyOnes) {
  const JobSettings fresh = ReadJobSettings();
  EXPECT_FALSE(fresh.dataRoot || fresh.defaultAccount || fresh.fetchAccounts || fresh.autoStart ||
               fresh.autoCheck);
  Store({{"AutoStart", 2}, {"AutoCheck", 1}},
        {{"MailBoxPath", ""}, {"DefAccount", "仕事"}, {"CorvidPath", "C:\\ソフト\\corvid.exe"}}, {});
  const JobSettings stored = ReadJobSettings();
  EXPECT_EQ(stored.dataRoot, std::optional<std::string>(""));
  EXPECT_EQ(stored.defaultAccount, std::optional<std::string>("仕事"));
  EXPECT_EQ(stored.clientProgram, "C:\\ソフト\\corvid.exe");
  EXPECT_EQ(stored.fetchAccounts, std::optional<std::vector<std::string>>(std::vector<std::string>{}));
  EXPECT_TRUE(stored.autoStart && stored.autoCheck);
}

TEST_F(SettingsTest, TheSheetShowsWhatIsStoredAndTheDataRootsAccounts) {
  sample::DataDirectoryBuilder data(scratch_.Path());
  ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
  Store({{"DefMailBox", 1}, {"AutoStart", 2}, {"AutoCheck", 3}, {"SavePos", 4}, {"TopMost", 5},
         {"TaskTray", 6}, {"RDoubleClk", 7}, {"NowTimeColor", 8}, {"NextTimeColor", 9}},
        {{"MailBoxPath", scratch_.Path()}, {"CorvidPath", "C:\\c.exe"}, {"DefAccount", "仕事"},
         {"NowTimeFont", "ＭＳ ゴシック"}},
        {"ソフト", "能力"});
  SettingsDraft draft;
  LoadSettingsDraft(draft);
  const ClientSettings& c = draft.client;
  const GeneralSettings& g = draft.general;
  EXPECT_EQ(c.MailBoxPath + "|" + c.CorvidPath + "|" + c.DefAccount, scratch_.Path() + "|C:\\c.exe|仕事");
  EXPECT_EQ((std::vector<int>{c.DefMailBox, g.AutoStart, g.AutoCheck, g.SavePos, g.TopMost, g.TaskTray,
                              g.RDoubleClk, g.NowTimeColor, g.NextTimeColor}),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(g.NowTimeFont + "|" + g.NextTimeFont, "ＭＳ ゴシック|ＭＳ Ｐ明朝");
  EXPECT_EQ(g.fetchAccounts, (std::vector<std::string>{"ソフト", "能力"}));
  EXPECT_EQ(draft.accountTitles, std::vector<std::string>{"表示"});

  // Another data root brings its own accounts and forgets ticks given so far.
  draft.general.fetchAccounts = {"表示"};
  ChangeDataRoot(draft, scratch_.Path() + "-none");
  EXPECT_TRUE(draft.accountTitles.empty());
  EXPECT_FALSE(draft.jobs.Scanned());
  EXPECT_EQ(draft.general.fetchAccounts, (std::vector<std::string>{"ソフト", "能力"}));
}

TEST_F(SettingsTest, ApplyStoresThePagesShownAndOkTheJobRecords) {
  // Pages shown, whether the data root lists accounts to tick, and what is stored then.
  for (const auto& [shown, accounts, corvid, topMost, fetch, retries] :
       std::vector<std::tuple<ShownPages, bool, const char*, int, std::vector<std::string>, int>>{
           {{true, false, false}, true, "new.exe", 0, {"old"}, 0},
           {{false, true, false}, true, "", 1, {"new"}, 0},
           {{false, true, false}, false, "", 1, {"old"}, 0},
           {{false, false, true}, true, "", 0, {"old"}, 3}}) {
    SettingsSandbox fresh;
    Store({}, {}, {"old"});
    SettingsDraft draft;
    draft.client.CorvidPath = "new.exe";
    draft.general.TopMost = 1;
    draft.general.fetchAccounts = {"new"};
    draft.schedule.RetryCount = 3;
    draft.accountTitles = std::vector<std::string>(accounts ? 1 : 0, "new");
    SaveSettingsDraft(draft, shown, ApplyStep::kPressed);
    CSettingsKey root;
    EXPECT_EQ(layout::Read(root, layout::kCorvidPath), corvid);
    EXPECT_EQ(layout::Read(root, layout::kTopMost), topMost);
    EXPECT_EQ(ReadJobSettings().fetchAccounts, fetch);
    EXPECT_EQ(layout::Read(root, layout::kRetryCount), retries);
    EXPECT_EQ(root.CountSubkeys(), retries != 0 ? 2 : 1);  // DefAccount and Schedule, no Accounts
  }
  SettingsDraft draft;
  draft.jobs.Append(CAccountJob{});
  draft.jobs.At(0).directory = "Account1";
  SaveSettingsDraft(draft, ShownPages{}, ApplyStep::kOkTaken);
  CSettingsKey root;
  CRegistryKey account;
  EXPECT_TRUE(account.Open(root, "Accounts\\Account1"));
}

}  // namespace
