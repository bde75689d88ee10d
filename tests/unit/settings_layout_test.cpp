#include "settings/settings_layout.h"

#include <gtest/gtest.h>

#include "support/settings_sandbox.h"

namespace {

class SettingsLayoutTest : public ::testing::Test {
 protected:
  SettingsSandbox sandbox_;
};

TEST_F(SettingsLayoutTest, AFreshProfileReadsEveryDefault) {
  CSettingsKey root;
  EXPECT_EQ(layout::Read(root, layout::kRetryInterval), 60);
  EXPECT_EQ(layout::Read(root, layout::kRetryCount), 0);
  EXPECT_EQ(layout::Read(root, layout::kTaskTray), 0);
  EXPECT_EQ(layout::Read(root, layout::kNowTimeFont), "ＭＳ Ｐ明朝");
  EXPECT_EQ(layout::Read(root, layout::kNextTimeFont), "ＭＳ Ｐ明朝");
  EXPECT_EQ(layout::Read(root, layout::kMailBoxPath), "");
  EXPECT_EQ(root.CountSubkeys(), 0);
}

TEST_F(SettingsLayoutTest, AWronglyTypedNumberReadsAsItsDefault) {
  CSettingsKey root;
  root.WriteString(layout::kRetryInterval.name, "15");
  EXPECT_EQ(layout::Read(root, layout::kRetryInterval), 60);
  // Texts are taken whatever their type.
  root.WriteDword(layout::kCorvidPath.name, 0x41);
  EXPECT_EQ(layout::Read(root, layout::kCorvidPath), "A");
}

TEST_F(SettingsLayoutTest, ATextListIsReplacedWholeAndReadBackInOrder) {
  CSettingsKey root;
  ASSERT_TRUE(layout::ReplaceTextList(root, layout::kDefAccountKey, layout::kAccountItemFormat,
                                      {"仕事", "自宅", "ソフト部"}));
  {
    CRegistryKey list;
    ASSERT_TRUE(list.Open(root, layout::kDefAccountKey));
    std::string name;
    EXPECT_TRUE(list.EnumSubkeyName(2, name));
    EXPECT_EQ(name, "account2");
  }
  ASSERT_TRUE(layout::ReplaceTextList(root, layout::kDefAccountKey, layout::kAccountItemFormat,
                                      {"自宅"}));
  std::vector<std::string> items;
  ASSERT_TRUE(layout::ReadTextList(root, layout::kDefAccountKey, items));
  EXPECT_EQ(items, std::vector<std::string>{"自宅"});

  // Unticking every account leaves the key, empty.
  ASSERT_TRUE(layout::ReplaceTextList(root, layout::kDefAccountKey, layout::kAccountItemFormat, {}));
  CRegistryKey list;
  ASSERT_TRUE(list.Open(root, layout::kDefAccountKey));
  EXPECT_EQ(list.CountSubkeys(), 0);
  // The root text value of the same name is another thing and stays.
  root.WriteString(layout::kDefAccount.name, "仕事");
  EXPECT_EQ(layout::Read(root, layout::kDefAccount), "仕事");
}

TEST_F(SettingsLayoutTest, AMissingListLeavesTheCallersItemsAlone) {
  CSettingsKey root;
  std::vector<std::string> items = {"kept"};
  EXPECT_FALSE(layout::ReadTextList(root, layout::kDefAccountKey, items));
  EXPECT_EQ(items, std::vector<std::string>{"kept"});
}

TEST(SettingsLayout, StoredSmallNumbersCountByTheirLowByte) {
  EXPECT_EQ(layout::LowByte(263), 7);
  EXPECT_EQ(layout::LowByte(300), 44);
  EXPECT_EQ(layout::LowByte(200), -56);
  EXPECT_EQ(layout::LowByte(-1), -1);
  EXPECT_EQ(layout::LowByte(59), 59);
  EXPECT_EQ(layout::ItemName(layout::kEntryItemFormat, 12), "data12");
  EXPECT_EQ(layout::ItemName(layout::kAccountItemFormat, 0), "account0");
}

}  // namespace
