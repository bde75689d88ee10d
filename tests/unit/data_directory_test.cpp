// The readers on a real data directory below a root ending in 表.
#include "client/data_directory.h"

#include <gtest/gtest.h>

#include <map>

#include "client/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class DataDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch_.Path().empty());
    root_ = scratch_.Path();
  }

  std::string Account(const std::string& name) const { return AccountDirectory(root_, name); }

  ScratchDirectory scratch_;
  std::string root_;
};

std::map<std::string, const FolderNode*> ByName(const std::vector<FolderNode>& nodes) {
  std::map<std::string, const FolderNode*> byName;
  for (const FolderNode& node : nodes) {
    byName[node.name] = &node;
  }
  return byName;
}

TEST_F(DataDirectoryTest, AccountsAreTheAccountDirectoriesWithTheirTitles) {
  sample::DataDirectoryBuilder build(root_);
  ASSERT_TRUE(build.AddAccount("Account1", "仕事", 1, "ソフト接続"));
  ASSERT_TRUE(build.AddBareAccount("Account表"));
  ASSERT_TRUE(sample::MakeDirectory(MailboxDirectory(root_) + "Other"));
  ASSERT_TRUE(sample::WriteFile(MailboxDirectory(root_) + "AccountList.txt", "x"));

  const AccountScan scan = ListAccounts(root_);
  ASSERT_EQ(scan.directories.size(), 2u);
  ASSERT_EQ(scan.titles.size(), 2u);
  std::map<std::string, std::string> titles;
  for (std::size_t i = 0; i < scan.directories.size(); ++i) {
    titles[scan.directories[i]] = scan.titles[i];
  }
  EXPECT_EQ(titles.at("Account1"), "仕事");
  // Without Account.ini: an empty title here, the directory name below.
  EXPECT_EQ(titles.at("Account表"), "");
  EXPECT_EQ(ReadAccountTitle(root_, "Account1"), "仕事");
  EXPECT_EQ(ReadAccountTitle(root_, "Account表"), "Account表");
  EXPECT_EQ(ReadAccountTitle(root_, ""), "");
}

TEST_F(DataDirectoryTest, DialUpSettingsReadUseRasAsLeadingDigits) {
  struct Case {
    const char* useRas;
    int expected;
  };
  const Case cases[] = {{"1", 1},
                        {"0", 0},
                        {"", 0},
                        {"12abc", 12},
                        {"abc", 0},
                        {" 3 ", 3},
                        {"99999999999", 2147483647}};
  sample::DataDirectoryBuilder build(root_);
  int index = 0;
  for (const Case& c : cases) {
    const std::string account = "Account" + std::to_string(index++);
    ASSERT_TRUE(build.AddBareAccount(account));
    ASSERT_TRUE(sample::WriteFile(
        Account(account) + "\\Account.ini",
        std::string("[Property]\r\nUseRAS=") + c.useRas + "\r\nRASProvider=能力回線\r\n"));
    std::string entry = "untouched";
    EXPECT_EQ(ReadAccountDialUp(root_, account, entry), c.expected) << c.useRas;
    EXPECT_EQ(entry, "能力回線");
  }
  ASSERT_TRUE(build.AddBareAccount("AccountBare"));
  std::string entry = "untouched";
  EXPECT_EQ(ReadAccountDialUp(root_, "AccountBare", entry), 0);
  EXPECT_EQ(entry, "untouched");
}

TEST_F(DataDirectoryTest, FolderTitlesFixedForInboxAndOutbox) {
  sample::DataDirectoryBuilder build(root_);
  ASSERT_TRUE(build.AddAccount("Account1", "仕事", 0, ""));
  ASSERT_TRUE(build.AddFolder("Account1", "inbox.box", "ほかの名前", ""));
  ASSERT_TRUE(build.AddFolder("Account1", "OutBox.Box", "ほかの名前", ""));
  ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX", "作業", "1"));
  ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", ""));
  struct Case {
    const char* folderPath;
    const char* title;
  };
  const Case cases[] = {
      {"inbox.box", "郵便受け"},
      {"INBOX.BOX", "郵便受け"},
      {"OutBox.Box", "送信箱"},
      {"WORK.BOX", "作業"},
      {"WORK.BOX\\2002.BOX", "表示"},
      {"", ""},
      {"MISSING.BOX", ""},
      // Only the whole path is fixed; an inbox below another folder is not.
      {"WORK.BOX\\INBOX.BOX", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFolderTitle(root_, "Account1", c.folderPath), c.title) << c.folderPath;
  }
}

TEST_F(DataDirectoryTest, WalkAndCountTakeOnlyPlainDirectories) {
  sample::DataDirectoryBuilder build(root_);
  ASSERT_TRUE(build.AddAccount("Account1", "仕事", 0, ""));
  ASSERT_TRUE(build.AddFolder("Account1", "INBOX.BOX", "", ""));
  ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX", "作業", "1"));
  ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", ""));
  ASSERT_TRUE(build.AddFolder("Account1", "WORK.BOX\\ソフト.BOX", "ソフト", ""));
  // Type empty: its sub-folder is counted but not walked.
  ASSERT_TRUE(build.AddFolder("Account1", "FLAT.BOX", "平ら", ""));
  ASSERT_TRUE(build.AddFolder("Account1", "FLAT.BOX\\SUB.BOX", "下", ""));
  // An extra attribute: counted itself, but neither walked nor counted into.
  ASSERT_TRUE(build.AddFolder("Account1", "LOCKED.BOX", "鍵", "1"));
  ASSERT_TRUE(build.AddFolder("Account1", "LOCKED.BOX\\INNER.BOX", "中", ""));
  ASSERT_TRUE(sample::AddExtraAttribute(Account("Account1") + "\\LOCKED.BOX"));
  ASSERT_TRUE(sample::WriteFile(Account("Account1") + "\\NOTE.BOX", "a file"));

  const std::vector<FolderNode> tree = WalkFolders(root_, "Account1");
  const auto top = ByName(tree);
  ASSERT_EQ(top.size(), 3u);
  ASSERT_TRUE(top.count("INBOX.BOX") && top.count("WORK.BOX") && top.count("FLAT.BOX"));
  EXPECT_TRUE(top.at("FLAT.BOX")->children.empty());
  const FolderNode& work = *top.at("WORK.BOX");
  EXPECT_EQ(work.title, "作業");
  EXPECT_EQ(work.type, "1");
  const auto inner = ByName(work.children);
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_EQ(inner.at("2002.BOX")->path, "WORK.BOX\\2002.BOX");
  EXPECT_EQ(inner.at("2002.BOX")->title, "表示");
  EXPECT_EQ(inner.at("ソフト.BOX")->path, "WORK.BOX\\ソフト.BOX");

  // INBOX, WORK, FLAT, LOCKED, NOTE; 2002 and ソフト; SUB.
  EXPECT_EQ(CountFolders(Account("Account1")), 8);
}

TEST_F(DataDirectoryTest, AMissingMailboxGivesNothing) {
  EXPECT_TRUE(ListAccounts(root_).directories.empty());
  EXPECT_TRUE(ListAccounts(root_ + "\\missing").titles.empty());
  EXPECT_TRUE(WalkFolders(root_, "Account1").empty());
  EXPECT_EQ(CountFolders(Account("Account1")), 0);
  std::string entry = "untouched";
  EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), 0);
  EXPECT_EQ(ReadFolderTitle(root_, "Account1", "WORK.BOX"), "");
}

}  // namespace
