// Job records between a real data directory and the store: natively the
// in-memory store, under Wine the registry.
#include "settings/account_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <tuple>

#include "data_dir/data_directory.h"
#include "data_dir/mailbox_paths.h"
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
      std::make_tuple(r.Reserve, r.ReserveFolder, r.reserveFolderTitle, r.SendCheck, r.ReserveMark),
      std::make_tuple(r.Remain, r.RemainFromAccount, r.remainFromAccountTitle, r.RemainFromFolder,
                      r.remainFromFolderTitle, r.RemainToFolder, r.remainToFolderTitle,
                      r.UnReadCheck, r.RemainMark),
      std::make_tuple(c.PreTidyUp, c.PostTidyUp, c.ExecCommand, c.CommandName, c.ParamMailBox,
                      c.MailBoxSwitch, c.ParamAccount, c.AccountSwitch));
}

CAccountJob& Record(const CAccountJobList& list, const std::string& directory) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.At(i).directory == directory) {
      return list.At(i);
    }
  }
  ADD_FAILURE() << "no record for " << directory;
  static CAccountJob none;
  return none;
}

std::vector<std::string> SubkeyNames(const std::string& path) {
  CSettingsKey root;
  CRegistryKey key;
  key.Open(root, path);
  std::vector<std::string> names;
  std::string name;
  for (int i = 0; key.EnumSubkeyName(i, name); ++i) {
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class AccountJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(root_.empty());
    sample::DataDirectoryBuilder build(root_);
    ASSERT_TRUE(build.AddAccount("Account1", "仕事", 0, ""));
    ASSERT_TRUE(build.AddAccount("Account2", "自宅", 1, "ソフト回線"));
    ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX", "作業", "1"));
    ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", ""));
    ASSERT_TRUE(build.AddFolder("Account2", "能力.BOX", "能力", ""));
  }

  // Writes a key below the settings root by hand, as another version might have.
  static void Stored(const std::string& path, void (*write)(CRegistryKey&)) {
    CSettingsKey root;
    CRegistryKey key;
    ASSERT_TRUE(key.Create(root, path));
    write(key);
  }

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
};

TEST_F(AccountJobTest, EveryAccountGetsARecordInScanOrder) {
  Stored("Accounts\\Account2\\ReserveData", [](CRegistryKey& key) {
    key.WriteDword("Remain", 1);
    // A number stored as text reads as its initial value.
    key.WriteString("ReserveMark", "5");
  });
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.At(0).directory, ListAccounts(root_).directories[0]);

  CAccountJob first;
  first.directory = "Account1";
  first.title = "仕事";
  EXPECT_EQ(Fields(Record(list, "Account1")), Fields(first));
  CAccountJob second;
  second.directory = "Account2";
  second.title = "自宅";
  second.useDialUp = 1;
  second.dialUpEntry = "ソフト回線";
  second.reserve.Remain = 1;
  EXPECT_EQ(Fields(Record(list, "Account2")), Fields(second));
}

TEST_F(AccountJobTest, SaveThenLoadGivesEveryFieldBackWithDerivedTitles) {
  CAccountJobList saved;
  ASSERT_TRUE(saved.Load(root_));
  CAccountJob& one = Record(saved, "Account1");
  one.ReserveSend = 1;
  one.reserve = {1,      "WORK.BOX\\2002.BOX", "表示",   1, 7, 1, "Account2", "自宅", "能力.BOX",
                 "能力", "OUTBOX.BOX",         "送信箱", 1, 3};
  one.command = {1, 1, 1, "C:\\ソフト\\表示.exe", 1, "/m:", 1, "-a能"};
  CAccountJob& two = Record(saved, "Account2");
  two.reserve = {0,      "inbox.box", "郵便受け", 0,  2,  0, "Account1",
                 "仕事", "WORK.BOX",  "作業",     "", "", 0, 5};
  two.command = {0, 1, 0, "", 1, "", 0, "ポスト"};
  saved.Save();

  CAccountJobList loaded;
  ASSERT_TRUE(loaded.Load(root_));
  ASSERT_EQ(loaded.Count(), 2u);
  for (const char* directory : {"Account1", "Account2"}) {
    EXPECT_EQ(Fields(Record(loaded, directory)), Fields(Record(saved, directory)));
  }
}

TEST_F(AccountJobTest, SaveReplacesTheWholeAccountsKey) {
  Stored("Accounts\\AccountGone\\ReserveData",
         [](CRegistryKey& key) { key.WriteDword("Reserve", 1); });
  Stored("Accounts\\Account1\\Stale", [](CRegistryKey& key) { key.WriteDword("Value", 1); });
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  list.Save();
  EXPECT_EQ(SubkeyNames("Accounts"), (std::vector<std::string>{"Account1", "Account2"}));
  EXPECT_EQ(SubkeyNames("Accounts\\Account1"),
            (std::vector<std::string>{"Command", "ReserveData"}));

  // A mailbox that cannot be read says nothing about its accounts: what is
  // stored stays, through a copy as well (the settings sheet saves one).
  CAccountJobList away;
  ASSERT_TRUE(away.Load(root_ + "-away"));
  EXPECT_FALSE(away.Scanned());
  CAccountJobList copy;
  ASSERT_TRUE(copy.Assign(away));
  copy.Save();
  EXPECT_EQ(SubkeyNames("Accounts"), (std::vector<std::string>{"Account1", "Account2"}));
}

TEST_F(AccountJobTest, FindByTitleIgnoresOnlyTheCaseOfAsciiLetters) {
  sample::DataDirectoryBuilder build(root_);
  ASSERT_TRUE(build.AddAccount("Account3", "Mail ア", 0, ""));
  ASSERT_TRUE(build.AddAccount("Account4", "mail ア", 0, ""));
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  const CAccountJob* firstShared = nullptr;
  for (std::size_t i = list.Count(); i-- > 0;) {
    if (list.At(i).title != "仕事" && list.At(i).title != "自宅") {
      firstShared = &list.At(i);
    }
  }
  EXPECT_EQ(list.FindByTitle("MAIL ア"), firstShared);
  // ヂ differs from ア only in a trail byte that looks like a letter's case.
  EXPECT_EQ(list.FindByTitle("mail ヂ"), nullptr);
  const std::string directory = "ACCOUNT2";
  EXPECT_EQ(list.FindByTitle("none", &directory), &Record(list, "Account2"));
  EXPECT_EQ(list.FindByTitle("none"), nullptr);
}

TEST_F(AccountJobTest, AssignMakesAnIndependentDeepCopy) {
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  Record(list, "Account1").reserve.ReserveFolder = "WORK.BOX";
  Record(list, "Account1").reserve.reserveFolderTitle = "作業";
  CAccountJobList copy;
  ASSERT_TRUE(copy.Assign(list));
  ASSERT_EQ(copy.Count(), list.Count());
  for (std::size_t i = 0; i < list.Count(); ++i) {
    EXPECT_NE(&copy.At(i), &list.At(i));
    EXPECT_EQ(Fields(copy.At(i)), Fields(list.At(i)));
  }
  Record(copy, "Account1").reserve.reserveFolderTitle = "changed";
  EXPECT_EQ(Record(list, "Account1").reserve.reserveFolderTitle, "作業");
  EXPECT_TRUE(list.Assign(list));
  EXPECT_EQ(list.Count(), 2u);
}

// Hands out a number of records, then none, counting the handler's calls.
class MemorySeam {
 public:
  explicit MemorySeam(int records) {
    left_ = records;
    failures_ = 0;
    SetJobRecordAllocator(
        []() -> CAccountJob* { return left_-- > 0 ? new (std::nothrow) CAccountJob : nullptr; });
    SetOutOfMemoryHandler([] { ++failures_; });
  }
  ~MemorySeam() {
    SetJobRecordAllocator(nullptr);
    SetOutOfMemoryHandler(nullptr);
  }
  static inline int left_ = 0;
  static inline int failures_ = 0;
};

TEST_F(AccountJobTest, RunningOutOfMemoryStopsWithTheRecordsMadeSoFar) {
  CAccountJobList full;
  ASSERT_TRUE(full.Load(root_));
  {
    MemorySeam seam(1);
    CAccountJobList list;
    EXPECT_FALSE(list.Load(root_));
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.At(0).directory, full.At(0).directory);
    CAccountJobList copy;
    EXPECT_FALSE(copy.Assign(full));
    ASSERT_EQ(copy.Count(), 0u);
    EXPECT_EQ(MemorySeam::failures_, 2);
  }
  CAccountJobList after;
  EXPECT_TRUE(after.Assign(full));
  EXPECT_EQ(after.Count(), 2u);
}

// The titles a page shows for a record after it changed the record's folders.
TEST(AccountJobTitles, ComeFromTheClientsFilesOfTheRightAccounts) {
  ScratchDirectory scratch;
  const std::string root = JoinPath(scratch.Path(), "データ");
  sample::DataDirectoryBuilder data(root);
  ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account1", "WORK.BOX", "仕事", "1"));
  ASSERT_TRUE(data.AddFolder("Account1", "WORK.BOX\\2002.BOX", "ソフト能力", ""));
  ASSERT_TRUE(data.AddAccount("Account2", "ポスト", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX", "別の仕事", ""));

  CAccountJob job;
  job.directory = "Account1";
  job.reserve.ReserveFolder = "inbox.box";
  job.reserve.RemainFromAccount = "Account2";
  job.reserve.RemainFromFolder = "WORK.BOX";
  job.reserve.RemainToFolder = "WORK.BOX\\2002.BOX";
  job.reserve.reserveFolderTitle = "stale";
  RefreshDerivedTitles(job, root);
  EXPECT_EQ(job.reserve.reserveFolderTitle, "郵便受け");
  EXPECT_EQ(job.reserve.remainFromAccountTitle, "ポスト");
  // The source folder is looked up in the source account, not in this one.
  EXPECT_EQ(job.reserve.remainFromFolderTitle, "別の仕事");
  EXPECT_EQ(job.reserve.remainToFolderTitle, "ソフト能力");

  // Nothing chosen: nothing to name, and a folder that is gone has no title.
  job.reserve.ReserveFolder = "GONE.BOX";
  job.reserve.RemainFromAccount.clear();
  job.reserve.RemainFromFolder.clear();
  job.reserve.RemainToFolder.clear();
  RefreshDerivedTitles(job, root);
  EXPECT_EQ(job.reserve.reserveFolderTitle, "");
  EXPECT_EQ(job.reserve.remainFromAccountTitle, "");
  EXPECT_EQ(job.reserve.remainFromFolderTitle, "");
  EXPECT_EQ(job.reserve.remainToFolderTitle, "");
}

}  // namespace
