// What is stored below the settings root, under the names users' profiles hold:
// the values the engine and the settings sheet read and store, and job records.
#include <gtest/gtest.h>

#include <new>
#include <tuple>

#include "sample_data/sample_data.h"
#include "settings/account_job.h"
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
  for (const auto& [name, value] : numbers) root.WriteDword(name, value);
  for (const auto& [name, text] : texts) root.WriteString(name, text);
  layout::ReplaceTextList(root, "DefAccount", "account%d", fetchAccounts);
}

int StoredAccounts() {
  CSettingsKey root;
  CRegistryKey accounts;
  return accounts.Open(root, "Accounts") ? accounts.CountSubkeys() : -1;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sample::DataDirectoryBuilder build(root_);
    ASSERT_TRUE(build.AddAccount("Account1", "仕事", 0, "") && build.AddAccount("Account2", "自宅", 1, "ソフト回線") &&
                build.AddFolder("Account1", "WORK.BOX", "作業", "1") &&
                build.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", "") &&
                build.AddFolder("Account2", "能力.BOX", "能力", ""));
    ASSERT_TRUE(list_.Load(root_) && list_.Count() == 2);
  }
  CAccountJob& Record(const std::string& title) { return *list_.FindByTitle(title); }

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
  CAccountJobList list_;
};

TEST_F(SettingsTest, TheEngineTellsAbsentValuesFromEmptyOnes) {
  const JobSettings fresh = ReadJobSettings();
  EXPECT_FALSE(fresh.dataRoot || fresh.defaultAccount || fresh.fetchAccounts || fresh.autoStart || fresh.autoCheck);
  EXPECT_TRUE(fresh.catchUp && fresh.lastScheduledRun == 0);
  Store({{"AutoStart", 2}, {"AutoCheck", 1}},
        {{"MailBoxPath", ""}, {"DefAccount", "仕事"}, {"CorvidPath", "C:\\ソフト\\corvid.exe"}}, {});
  const JobSettings s = ReadJobSettings();
  EXPECT_EQ(std::tie(s.dataRoot, s.defaultAccount, s.clientProgram, s.autoStart, s.autoCheck),
            std::make_tuple(std::optional<std::string>(""), std::optional<std::string>("仕事"), "C:\\ソフト\\corvid.exe", true, true));
  EXPECT_EQ(s.fetchAccounts, std::optional<std::vector<std::string>>(std::vector<std::string>{}));
}

TEST_F(SettingsTest, TheSheetShowsWhatIsStoredAndTheDataRootsAccounts) {
  Store({{"DefMailBox", 1}, {"AutoStart", 2}, {"AutoCheck", 3}, {"SavePos", 4}, {"TopMost", 5}, {"TaskTray", 6},
         {"RDoubleClk", 7}, {"NowTimeColor", 8}, {"NextTimeColor", 9}},
        {{"MailBoxPath", root_}, {"CorvidPath", "C:\\c.exe"}, {"DefAccount", "仕事"}, {"NowTimeFont", "ＭＳ ゴシック"}},
        {"ソフト", "能力"});
  SettingsDraft draft;
  LoadSettingsDraft(draft);
  const ClientSettings& c = draft.client;
  const GeneralSettings& g = draft.general;
  EXPECT_EQ(c.MailBoxPath + "|" + c.CorvidPath + "|" + c.DefAccount, root_ + "|C:\\c.exe|仕事");
  EXPECT_EQ((std::vector<int>{c.DefMailBox, g.AutoStart, g.AutoCheck, g.SavePos, g.TopMost, g.TaskTray,
                              g.RDoubleClk, g.NowTimeColor, g.NextTimeColor}),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(g.NowTimeFont + "|" + g.NextTimeFont, "ＭＳ ゴシック|ＭＳ Ｐ明朝");
  EXPECT_EQ(g.fetchAccounts, (std::vector<std::string>{"ソフト", "能力"}));
  EXPECT_EQ(draft.accountTitles.size(), 2u);

  // Another data root brings its own accounts and forgets ticks given so far.
  draft.general.fetchAccounts = {"表示"};
  ChangeDataRoot(draft, root_ + "-none");
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
  ASSERT_TRUE(draft.jobs.Assign(list_));
  SaveSettingsDraft(draft, ShownPages{}, ApplyStep::kOkTaken);
  EXPECT_EQ(StoredAccounts(), 2);
}

// Every field, so that a comparison misses none.
auto Fields(const CAccountJob& j) {
  const CReserveData& r = j.reserve;
  const CCommandData& c = j.command;
  return std::make_tuple(
      j.directory, j.title, j.useDialUp, j.dialUpEntry, j.ReserveSend,
      std::make_tuple(r.Reserve, r.ReserveFolder, r.reserveFolderTitle, r.SendCheck, r.ReserveMark, r.Remain,
                      r.RemainFromAccount, r.remainFromAccountTitle, r.RemainFromFolder, r.remainFromFolderTitle,
                      r.RemainToFolder, r.remainToFolderTitle, r.UnReadCheck, r.RemainMark),
      std::make_tuple(c.PreTidyUp, c.PostTidyUp, c.ExecCommand, c.CommandName, c.ParamMailBox, c.MailBoxSwitch,
                      c.ParamAccount, c.AccountSwitch));
}

TEST_F(SettingsTest, SaveThenLoadGivesEveryFieldBackAndDropsGoneAccountsButAnUnreadableMailboxKeepsThem) {
  CAccountJob& one = Record("仕事");
  EXPECT_EQ(one.directory + Record("自宅").dialUpEntry + std::to_string(Record("自宅").useDialUp), "Account1ソフト回線1");
  one.ReserveSend = 1;
  one.reserve = {1, "WORK.BOX\\2002.BOX", "", 1, 7, 1, "Account2", "", "能力.BOX", "", "OutBox.Box", "", 1, 3};
  one.command = {1, 1, 1, "C:\\ソフト\\表示.exe", 1, "/m:", 1, "-a能"};
  Record("自宅").reserve.ReserveFolder = "inbox.box";
  Record("自宅").reserve.RemainToFolder = "GONE.BOX";
  Record("自宅").command.AccountSwitch = "ポスト";
  ASSERT_TRUE(CRegistryKey().Create(CSettingsKey(), "Accounts\\AccountGone\\ReserveData"));
  list_.Save();
  EXPECT_EQ(StoredAccounts(), 2);

  CAccountJobList loaded;
  ASSERT_TRUE(loaded.Load(root_) && loaded.Count() == 2);
  one.reserve.reserveFolderTitle = "表示";
  one.reserve.remainFromAccountTitle = "自宅";
  one.reserve.remainFromFolderTitle = "能力";  // looked up in the source account
  one.reserve.remainToFolderTitle = "送信箱";
  Record("自宅").reserve.reserveFolderTitle = "郵便受け";
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(Fields(loaded.At(i)), Fields(list_.At(i)));
  // Titles are found ignoring only the case of ASCII letters (ア and ヂ differ
  // in a trail byte like "A" and "a"), else by the directory when one is given.
  const std::string directory = "ACCOUNT1";
  EXPECT_EQ(list_.FindByTitle("none", &directory), &one);
  one.title = "Mail ア";
  EXPECT_TRUE(list_.FindByTitle("MAIL ア") == &one && list_.FindByTitle("MAIL ヂ") == nullptr);

  // Nothing is known of the accounts of a mailbox that cannot be read, also
  // through a copy (the settings sheet saves one).
  CAccountJobList away, copy;
  ASSERT_TRUE(away.Load(root_ + "-away") && copy.Assign(away));
  EXPECT_FALSE(away.Scanned());
  copy.Save();
  EXPECT_EQ(StoredAccounts(), 2);
}

TEST_F(SettingsTest, ACopyOfItselfChangesNothingAndRunningOutOfMemoryKeepsTheRecordsMadeSoFar) {
  EXPECT_TRUE(list_.Assign(list_) && list_.Count() == 2);
  static int left = 1, failures = 0;
  SetJobRecordAllocator([]() -> CAccountJob* { return left-- > 0 ? new (std::nothrow) CAccountJob : nullptr; });
  SetOutOfMemoryHandler([] { ++failures; });
  CAccountJobList partial, copy;
  const bool loaded = partial.Load(root_);
  const bool copied = copy.Assign(list_);
  SetJobRecordAllocator(nullptr);
  SetOutOfMemoryHandler(nullptr);
  EXPECT_FALSE(loaded || copied);
  EXPECT_EQ(copy.Count(), 0u);
  ASSERT_EQ(partial.Count(), 1u);
  EXPECT_EQ(partial.At(0).directory, list_.At(0).directory);
  EXPECT_EQ(failures, 2);
}

}  // namespace
