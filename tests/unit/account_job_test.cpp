// Job records between a real data directory and the store: natively the
// in-memory store, under Wine the registry.
#include "settings/account_job.h"

#include <gtest/gtest.h>

#include <new>
#include <tuple>

#include "sample_data/sample_data.h"
#include "settings/registry_key.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"

namespace {

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

int StoredAccounts() {
  CSettingsKey root;
  CRegistryKey accounts;
  return accounts.Open(root, "Accounts") ? accounts.CountSubkeys() : -1;
}

class AccountJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sample::DataDirectoryBuilder build(root_);
    ASSERT_TRUE(build.AddAccount("Account1", "仕事", 0, "") && build.AddAccount("Account2", "自宅", 1, "ソフト回線") &&
                build.AddFolder("Account1", "WORK.BOX", "作業", "1") &&
                build.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", "") &&
                build.AddFolder("Account2", "能力.BOX", "能力", ""));
    ASSERT_TRUE(list_.Load(root_));
    ASSERT_EQ(list_.Count(), 2u);
  }

  CAccountJob& Record(const std::string& title) { return *list_.FindByTitle(title); }

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
  CAccountJobList list_;
};

TEST_F(AccountJobTest, SaveThenLoadGivesEveryFieldBackWithTitlesFromTheClientsFiles) {
  CAccountJob& one = Record("仕事");
  EXPECT_EQ(one.directory + "|" + Record("自宅").dialUpEntry, "Account1|ソフト回線");
  EXPECT_EQ(Record("自宅").useDialUp, 1);
  one.ReserveSend = 1;
  one.reserve = {1, "WORK.BOX\\2002.BOX", "", 1, 7, 1, "Account2", "", "能力.BOX", "", "OutBox.Box", "", 1, 3};
  one.command = {1, 1, 1, "C:\\ソフト\\表示.exe", 1, "/m:", 1, "-a能"};
  Record("自宅").reserve.ReserveFolder = "inbox.box";
  Record("自宅").reserve.RemainToFolder = "GONE.BOX";
  Record("自宅").command.AccountSwitch = "ポスト";
  list_.Save();

  CAccountJobList loaded;
  ASSERT_TRUE(loaded.Load(root_));
  ASSERT_EQ(loaded.Count(), 2u);
  one.reserve.reserveFolderTitle = "表示";
  one.reserve.remainFromAccountTitle = "自宅";
  one.reserve.remainFromFolderTitle = "能力";  // looked up in the source account
  one.reserve.remainToFolderTitle = "送信箱";
  Record("自宅").reserve.reserveFolderTitle = "郵便受け";
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(Fields(loaded.At(i)), Fields(list_.At(i)));
  }
}

TEST_F(AccountJobTest, SaveDropsGoneAccountsButAnUnreadableMailboxKeepsThem) {
  {
    CSettingsKey root;
    CRegistryKey gone;
    ASSERT_TRUE(gone.Create(root, "Accounts\\AccountGone\\ReserveData"));
  }
  list_.Save();
  EXPECT_EQ(StoredAccounts(), 2);
  // Nothing is known of the accounts of a mailbox that cannot be read, also
  // through a copy (the settings sheet saves one).
  CAccountJobList away;
  ASSERT_TRUE(away.Load(root_ + "-away"));
  EXPECT_FALSE(away.Scanned());
  CAccountJobList copy;
  ASSERT_TRUE(copy.Assign(away));
  copy.Save();
  EXPECT_EQ(StoredAccounts(), 2);
}

TEST_F(AccountJobTest, FindByTitleTakesTheFirstIgnoringOnlyTheCaseOfAsciiLetters) {
  sample::DataDirectoryBuilder build(root_);
  ASSERT_TRUE(build.AddAccount("Account3", "Mail ア", 0, "") && build.AddAccount("Account4", "mail ア", 0, ""));
  ASSERT_TRUE(list_.Load(root_));
  std::size_t first = 0;
  while (list_.At(first).title.find("ail ア") == std::string::npos) {
    ++first;
  }
  EXPECT_EQ(list_.FindByTitle("MAIL ア"), &list_.At(first));
  EXPECT_EQ(list_.FindByTitle("mail ヂ"), nullptr);
  const std::string directory = "ACCOUNT2";
  EXPECT_EQ(list_.FindByTitle("none", &directory)->title, "自宅");
}

TEST_F(AccountJobTest, ACopyIsDeepAndRunningOutOfMemoryKeepsTheRecordsMadeSoFar) {
  CAccountJobList copy;
  ASSERT_TRUE(copy.Assign(list_) && list_.Assign(list_));
  copy.At(0).reserve.ReserveFolder = "changed";
  EXPECT_EQ(list_.At(0).reserve.ReserveFolder, "");
  EXPECT_EQ(copy.At(1).title, list_.At(1).title);

  static int left = 1;
  static int failures = 0;
  SetJobRecordAllocator([]() -> CAccountJob* { return left-- > 0 ? new (std::nothrow) CAccountJob : nullptr; });
  SetOutOfMemoryHandler([] { ++failures; });
  CAccountJobList partial;
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
