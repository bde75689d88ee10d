// Job records between a real data directory and the store: natively the
// in-memory store, under Wine the registry.
#include "settings/account_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "client/data_directory.h"
#include "sample_data/sample_data.h"
#include "settings/registry_key.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"

namespace {

void ExpectSameRecord(const CAccountJob& a, const CAccountJob& b) {
  SCOPED_TRACE(a.directory);
  EXPECT_EQ(a.directory, b.directory);
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.useDialUp, b.useDialUp);
  EXPECT_EQ(a.dialUpEntry, b.dialUpEntry);
  EXPECT_EQ(a.ReserveSend, b.ReserveSend);
  const CReserveData& r = a.reserve;
  const CReserveData& s = b.reserve;
  EXPECT_EQ(r.Reserve, s.Reserve);
  EXPECT_EQ(r.ReserveFolder, s.ReserveFolder);
  EXPECT_EQ(r.reserveFolderTitle, s.reserveFolderTitle);
  EXPECT_EQ(r.SendCheck, s.SendCheck);
  EXPECT_EQ(r.ReserveMark, s.ReserveMark);
  EXPECT_EQ(r.Remain, s.Remain);
  EXPECT_EQ(r.RemainFromAccount, s.RemainFromAccount);
  EXPECT_EQ(r.remainFromAccountTitle, s.remainFromAccountTitle);
  EXPECT_EQ(r.RemainFromFolder, s.RemainFromFolder);
  EXPECT_EQ(r.remainFromFolderTitle, s.remainFromFolderTitle);
  EXPECT_EQ(r.RemainToFolder, s.RemainToFolder);
  EXPECT_EQ(r.remainToFolderTitle, s.remainToFolderTitle);
  EXPECT_EQ(r.UnReadCheck, s.UnReadCheck);
  EXPECT_EQ(r.RemainMark, s.RemainMark);
  const CCommandData& c = a.command;
  const CCommandData& d = b.command;
  EXPECT_EQ(c.PreTidyUp, d.PreTidyUp);
  EXPECT_EQ(c.PostTidyUp, d.PostTidyUp);
  EXPECT_EQ(c.ExecCommand, d.ExecCommand);
  EXPECT_EQ(c.CommandName, d.CommandName);
  EXPECT_EQ(c.ParamMailBox, d.ParamMailBox);
  EXPECT_EQ(c.MailBoxSwitch, d.MailBoxSwitch);
  EXPECT_EQ(c.ParamAccount, d.ParamAccount);
  EXPECT_EQ(c.AccountSwitch, d.AccountSwitch);
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
  std::vector<std::string> names;
  std::string name;
  if (key.Open(root, path)) {
    for (int i = 0; key.EnumSubkeyName(i, name); ++i) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class AccountJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch_.Path().empty());
    root_ = scratch_.Path();
    sample::DataDirectoryBuilder build(root_);
    ASSERT_TRUE(build.AddAccount("Account1", "仕事", 0, ""));
    ASSERT_TRUE(build.AddAccount("Account2", "自宅", 1, "ソフト回線"));
    ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX", "作業", "1"));
    ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", ""));
    ASSERT_TRUE(build.AddFolder("Account2", "能力.BOX", "能力", ""));
  }

  // Writes one stored value by hand, as an earlier version or a user might have.
  static void StoreDword(const std::string& path, const char* name, std::int32_t value) {
    CSettingsKey root;
    CRegistryKey key;
    ASSERT_TRUE(key.Create(root, path));
    key.WriteDword(name, value);
  }

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_;
};

TEST_F(AccountJobTest, EveryAccountGetsARecordInScanOrder) {
  StoreDword("Accounts\\Account2\\ReserveData", "Remain", 1);
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  ASSERT_EQ(list.Count(), 2u);
  const AccountScan scan = ListAccounts(root_);
  EXPECT_EQ(list.At(0).directory, scan.directories[0]);
  EXPECT_EQ(list.At(1).directory, scan.directories[1]);

  CAccountJob first;
  first.directory = "Account1";
  first.title = "仕事";
  ExpectSameRecord(Record(list, "Account1"), first);

  CAccountJob second;
  second.directory = "Account2";
  second.title = "自宅";
  second.useDialUp = 1;
  second.dialUpEntry = "ソフト回線";
  second.reserve.Remain = 1;
  ExpectSameRecord(Record(list, "Account2"), second);
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
    ExpectSameRecord(Record(loaded, directory), Record(saved, directory));
  }
}

TEST_F(AccountJobTest, SaveReplacesTheWholeAccountsKey) {
  StoreDword("Accounts\\AccountGone\\ReserveData", "Reserve", 1);
  StoreDword("Accounts\\Account1\\Stale", "Value", 1);
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  list.Save();
  EXPECT_EQ(SubkeyNames("Accounts"), (std::vector<std::string>{"Account1", "Account2"}));
  EXPECT_EQ(SubkeyNames("Accounts\\Account1"),
            (std::vector<std::string>{"Command", "ReserveData"}));
}

TEST_F(AccountJobTest, AMarkStoredAsTextLoadsAsZero) {
  {
    CSettingsKey root;
    CRegistryKey key;
    ASSERT_TRUE(key.Create(root, "Accounts\\Account1\\ReserveData"));
    key.WriteString("ReserveMark", "5");
    key.WriteDword("RemainMark", 4);
  }
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  EXPECT_EQ(Record(list, "Account1").reserve.ReserveMark, 0);
  EXPECT_EQ(Record(list, "Account1").reserve.RemainMark, 4);
}

TEST_F(AccountJobTest, FindByTitleIgnoresOnlyTheCaseOfAsciiLetters) {
  sample::DataDirectoryBuilder build(root_);
  ASSERT_TRUE(build.AddAccount("Account3", "Mail ア", 0, ""));
  ASSERT_TRUE(build.AddAccount("Account4", "mail ア", 0, ""));
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  ASSERT_EQ(list.Count(), 4u);

  const CAccountJob* shared = nullptr;
  for (std::size_t i = 0; i < list.Count() && shared == nullptr; ++i) {
    if (list.At(i).directory == "Account3" || list.At(i).directory == "Account4") {
      shared = &list.At(i);
    }
  }
  EXPECT_EQ(list.FindByTitle("MAIL ア"), shared);
  // ヂ differs from ア only in a trail byte that looks like a letter's case.
  EXPECT_EQ(list.FindByTitle("mail ヂ"), nullptr);
  EXPECT_EQ(list.FindByTitle("自宅"), &Record(list, "Account2"));
  const std::string directory = "ACCOUNT2";
  EXPECT_EQ(list.FindByTitle("none", &directory), &Record(list, "Account2"));
  EXPECT_EQ(list.FindByTitle("none"), nullptr);
}

TEST_F(AccountJobTest, AssignMakesAnIndependentDeepCopy) {
  StoreDword("Accounts\\Account1\\ReserveData", "Reserve", 1);
  {
    CSettingsKey root;
    CRegistryKey key;
    ASSERT_TRUE(key.Create(root, "Accounts\\Account1\\ReserveData"));
    key.WriteString("ReserveFolder", "WORK.BOX\\2002.BOX");
    key.WriteString("RemainFromAccount", "Account2");
  }
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  ASSERT_EQ(Record(list, "Account1").reserve.reserveFolderTitle, "表示");

  CAccountJobList copy;
  ASSERT_TRUE(copy.Assign(list));
  ASSERT_EQ(copy.Count(), list.Count());
  for (std::size_t i = 0; i < list.Count(); ++i) {
    EXPECT_NE(&copy.At(i), &list.At(i));
    ExpectSameRecord(copy.At(i), list.At(i));
  }
  Record(copy, "Account1").reserve.ReserveFolder = "changed";
  Record(copy, "Account1").reserve.remainFromAccountTitle = "changed";
  EXPECT_EQ(Record(list, "Account1").reserve.ReserveFolder, "WORK.BOX\\2002.BOX");
  EXPECT_EQ(Record(list, "Account1").reserve.remainFromAccountTitle, "自宅");

  EXPECT_TRUE(list.Assign(list));
  EXPECT_EQ(list.Count(), 2u);
}

TEST_F(AccountJobTest, NoMailboxGivesAnEmptyList) {
  CAccountJobList list;
  ASSERT_TRUE(list.Load(root_));
  ASSERT_TRUE(list.Load(root_ + "\\missing"));
  EXPECT_EQ(list.Count(), 0u);
}

// Hands out a number of records, then none, counting the handler's calls.
class MemorySeam {
 public:
  explicit MemorySeam(int records) {
    left_ = records;
    failures_ = 0;
    SetJobRecordAllocator(&Allocate);
    SetOutOfMemoryHandler([] { ++failures_; });
  }
  ~MemorySeam() {
    SetJobRecordAllocator(nullptr);
    SetOutOfMemoryHandler(nullptr);
  }
  static int Failures() { return failures_; }

 private:
  static CAccountJob* Allocate() { return left_-- > 0 ? new (std::nothrow) CAccountJob : nullptr; }
  static inline int left_ = 0;
  static inline int failures_ = 0;
};

TEST_F(AccountJobTest, RunningOutOfMemoryStopsWithTheRecordsMadeSoFar) {
  CAccountJobList full;
  ASSERT_TRUE(full.Load(root_));
  ASSERT_EQ(full.Count(), 2u);
  {
    MemorySeam seam(1);
    CAccountJobList list;
    EXPECT_FALSE(list.Load(root_));
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.At(0).directory, full.At(0).directory);
    EXPECT_EQ(MemorySeam::Failures(), 1);
  }
  {
    MemorySeam seam(1);
    CAccountJobList copy;
    EXPECT_FALSE(copy.Assign(full));
    ASSERT_EQ(copy.Count(), 1u);
    ExpectSameRecord(copy.At(0), full.At(0));
    EXPECT_EQ(MemorySeam::Failures(), 1);
  }
  CAccountJobList after;
  EXPECT_TRUE(after.Assign(full));
  EXPECT_EQ(after.Count(), 2u);
}

}  // namespace
