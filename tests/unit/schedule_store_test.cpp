#include <gtest/gtest.h>

#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/settings_sandbox.h"

namespace {

class ScheduleStoreTest : public ::testing::Test {
 protected:
  // Writes one entry key by hand, as another version or a user might have.
  static void StoreEntry(const char* weekday, const char* item, std::int32_t hour,
                         std::int32_t minute, const std::vector<std::string>& accounts) {
    CSettingsKey root;
    CRegistryKey entry;
    ASSERT_TRUE(entry.Create(root, std::string("Schedule\\") + weekday + "\\" + item));
    entry.WriteDword("Hour", hour);
    entry.WriteDword("Minute", minute);
    CRegistryKey list;
    ASSERT_TRUE(list.Create(entry, "Account"));
    layout::WriteTextItems(list, layout::kAccountItemFormat, accounts);
  }

  static std::vector<std::string> StoredNames(const std::string& path) {
    CSettingsKey root;
    CRegistryKey key;
    std::vector<std::string> names;
    if (!key.Open(root, path)) {
      return names;
    }
    std::string name;
    for (int i = 0; key.EnumSubkeyName(i, name); ++i) {
      names.push_back(name);
    }
    return names;
  }

  SettingsSandbox sandbox_;
};

TEST_F(ScheduleStoreTest, SaveThenLoadGivesTheScheduleBack) {
  CSchedule saved;
  saved.RetryCount = 3;
  saved.RetryInterval = 15;
  saved.DialUp = 1;
  saved.Day(1).AddEntry(7, 30, {"仕事", "ソフト部"}, 0);
  saved.Day(1).AddEntry(7, 30, {"自宅"}, 1);
  saved.Day(6).AddEntry(23, 59, {}, 1);
  ASSERT_TRUE(saved.Save());

  CSchedule loaded;
  ASSERT_TRUE(loaded.Load());
  EXPECT_EQ(loaded.RetryCount, 3);
  EXPECT_EQ(loaded.RetryInterval, 15);
  EXPECT_EQ(loaded.DialUp, 1);
  ASSERT_EQ(loaded.Day(1).Count(), 2u);
  EXPECT_EQ(loaded.Day(1).At(0).accounts, (std::vector<std::string>{"仕事", "ソフト部"}));
  EXPECT_EQ(loaded.Day(1).At(1).accounts, std::vector<std::string>{"自宅"});
  EXPECT_EQ(loaded.Day(1).At(1).EveryDay, 1);
  ASSERT_EQ(loaded.Day(6).Count(), 1u);
  EXPECT_TRUE(loaded.Day(6).At(0).accounts.empty());
  EXPECT_EQ(loaded.Day(0).Count(), 0u);

  // The first of two entries of equal time stays the one the next run takes.
  CScheduleEntry next(0, 0);
  EXPECT_EQ(loaded.ComputeNextRun(7, 0, 1, next), 1);
  EXPECT_EQ(next.accounts.size(), 2u);
}

TEST_F(ScheduleStoreTest, AFreshProfileLoadsAnEmptyScheduleWithDefaults) {
  CSchedule loaded;
  loaded.Load();
  EXPECT_EQ(loaded.RetryCount, 0);
  EXPECT_EQ(loaded.RetryInterval, 60);
  EXPECT_EQ(loaded.DialUp, 0);
  CScheduleEntry next(0, 0);
  EXPECT_EQ(loaded.ComputeNextRun(0, 0, 0, next), -1);
}

TEST_F(ScheduleStoreTest, SavingRewritesEveryWeekdayWithoutGapsOrLeftovers) {
  StoreEntry("Monday", "data7", 9, 0, {"old"});
  StoreEntry("Monday", "data9", 10, 0, {"older"});
  CSchedule schedule;
  schedule.Day(1).AddEntry(8, 0, {"a", "b"}, 0);
  schedule.Day(1).AddEntry(6, 0, {}, 0);
  ASSERT_TRUE(schedule.Save());

  EXPECT_EQ(StoredNames("Schedule").size(), 7u);
  EXPECT_EQ(StoredNames("Schedule\\Monday"), (std::vector<std::string>{"data0", "data1"}));
  EXPECT_TRUE(StoredNames("Schedule\\Sunday").empty());
  // The entry without accounts still has its (empty) Account key.
  EXPECT_TRUE(StoredNames("Schedule\\Monday\\data0\\Account").empty());
  EXPECT_EQ(StoredNames("Schedule\\Monday\\data1\\Account"),
            (std::vector<std::string>{"account0", "account1"}));
  CSettingsKey root;
  CRegistryKey sunday;
  EXPECT_TRUE(sunday.Open(root, "Schedule\\Sunday"));
}

TEST_F(ScheduleStoreTest, StoredTimesCountByTheirLowByte) {
  StoreEntry("Friday", "data0", 263, 300, {"x"});
  StoreEntry("Friday", "data1", 200, 5, {"y"});
  CSchedule loaded;
  loaded.Load();
  ASSERT_EQ(loaded.Day(5).Count(), 2u);
  EXPECT_EQ(loaded.Day(5).At(0).hour, -56);
  EXPECT_EQ(loaded.Day(5).At(1).hour, 7);
  EXPECT_EQ(loaded.Day(5).At(1).minute, 44);
}

TEST_F(ScheduleStoreTest, AccountsComeBackInTheRegistrysEnumerationOrder) {
  std::vector<std::string> accounts;
  for (int i = 0; i < 12; ++i) {
    accounts.push_back("acc" + std::to_string(i));
  }
  StoreEntry("Sunday", "data0", 6, 0, accounts);
  CSchedule loaded;
  loaded.Load();
  ASSERT_EQ(loaded.Day(0).Count(), 1u);
  // account10 and account11 enumerate before account2.
  const std::vector<std::string> expected = {"acc0", "acc1", "acc10", "acc11", "acc2", "acc3",
                                             "acc4", "acc5", "acc6",  "acc7",  "acc8", "acc9"};
  EXPECT_EQ(loaded.Day(0).At(0).accounts, expected);
}

TEST_F(ScheduleStoreTest, EntriesOfEqualTimeLoadInEnumerationOrder) {
  StoreEntry("Tuesday", "data1", 10, 0, {"second"});
  StoreEntry("Tuesday", "data0", 10, 0, {"first"});
  StoreEntry("Tuesday", "data2", 9, 0, {"earlier"});
  CSchedule loaded;
  loaded.Load();
  ASSERT_EQ(loaded.Day(2).Count(), 3u);
  EXPECT_EQ(loaded.Day(2).At(0).accounts[0], "earlier");
  EXPECT_EQ(loaded.Day(2).At(1).accounts[0], "first");
  EXPECT_EQ(loaded.Day(2).At(2).accounts[0], "second");
}

TEST_F(ScheduleStoreTest, MissingEntryValuesTakeTheirDefaults) {
  {
    CSettingsKey root;
    CRegistryKey bare;
    ASSERT_TRUE(bare.Create(root, "Schedule\\Thursday\\data0"));
  }
  CSchedule loaded;
  loaded.Load();
  ASSERT_EQ(loaded.Day(4).Count(), 1u);
  EXPECT_EQ(loaded.Day(4).At(0).hour, -1);
  EXPECT_EQ(loaded.Day(4).At(0).minute, -1);
  EXPECT_TRUE(loaded.Day(4).At(0).accounts.empty());
  CScheduleEntry next(0, 0);
  EXPECT_EQ(loaded.ComputeNextRun(0, 0, 4, next), -1);  // an unset hour never runs
}

}  // namespace
