// The readers on a real data directory below a root ending in 表.
#include "data_dir/data_directory.h"

#include <gtest/gtest.h>

#include <map>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class DataDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(root_.empty()); }

  std::string Account(const std::string& name) const { return AccountDirectory(root_, name); }

  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
  sample::DataDirectoryBuilder build_{root_};
};

template <typename Node>
std::map<std::string, const Node*> ByName(const std::vector<Node>& nodes) {
  std::map<std::string, const Node*> byName;
  for (const Node& node : nodes) {
    byName[node.name] = &node;
  }
  return byName;
}

TEST_F(DataDirectoryTest, AccountsAreTheAccountDirectoriesWithTheirSettings) {
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 1, "ソフト接続"));
  ASSERT_TRUE(build_.AddBareAccount("Account表"));
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
  // Without Account.ini: an empty title in the scan, the directory name alone.
  EXPECT_EQ(titles.at("Account表"), "");
  EXPECT_EQ(ReadAccountTitle(root_, "Account1"), "仕事");
  EXPECT_EQ(ReadAccountTitle(root_, "Account表"), "Account表");

  std::string entry = "untouched";
  EXPECT_EQ(ReadAccountDialUp(root_, "Account表", entry), 0);
  EXPECT_EQ(entry, "untouched");
  EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), 1);
  EXPECT_EQ(entry, "ソフト接続");
  for (const auto& [useRas, expected] : std::map<std::string, int>{
           {"", 0}, {"12abc", 12}, {"abc", 0}, {"99999999999", 2147483647}}) {
    ASSERT_TRUE(sample::WriteFile(Account("Account1") + "\\Account.ini",
                                  "[Property]\r\nUseRAS=" + useRas + "\r\n"));
    EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), expected) << useRas;
  }
}

TEST_F(DataDirectoryTest, FolderTitlesAreFixedForTheWholeInboxAndOutboxPaths) {
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 0, ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "inbox.box", "ほかの名前", ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX", "作業", "1"));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX\\INBOX.BOX", "表示", ""));
  const char* const cases[][2] = {
      {"inbox.box", "郵便受け"},       {"OutBox.Box", "送信箱"}, {"WORK.BOX", "作業"}, {"", ""},
      {"WORK.BOX\\INBOX.BOX", "表示"}, {"MISSING.BOX", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadFolderTitle(root_, "Account1", c[0]), c[1]) << c[0];
  }
}

TEST_F(DataDirectoryTest, WalkAndCountTakeOnlyPlainDirectories) {
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 0, ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX", "作業", "1"));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX\\2002.BOX", "表示", ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX\\ソフト.BOX", "ソフト", ""));
  // Type empty: its sub-folder is counted but not walked.
  ASSERT_TRUE(build_.AddFolder("Account1", "FLAT.BOX", "平ら", ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "FLAT.BOX\\SUB.BOX", "下", ""));
  // An extra attribute: counted itself, but neither walked nor counted into.
  ASSERT_TRUE(build_.AddFolder("Account1", "LOCKED.BOX", "鍵", "1"));
  ASSERT_TRUE(build_.AddFolder("Account1", "LOCKED.BOX\\INNER.BOX", "中", ""));
  ASSERT_TRUE(sample::AddExtraAttribute(Account("Account1") + "\\LOCKED.BOX"));
  ASSERT_TRUE(sample::WriteFile(Account("Account1") + "\\NOTE.BOX", "a file"));

  const std::vector<FolderNode> tree = WalkFolders(root_, "Account1");
  const auto top = ByName(tree);
  ASSERT_EQ(top.size(), 2u);
  EXPECT_TRUE(top.at("FLAT.BOX")->children.empty());
  EXPECT_EQ(top.at("WORK.BOX")->type, "1");
  const auto inner = ByName(top.at("WORK.BOX")->children);
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_EQ(inner.at("2002.BOX")->path, "WORK.BOX\\2002.BOX");
  EXPECT_EQ(inner.at("2002.BOX")->title, "表示");
  EXPECT_EQ(inner.at("ソフト.BOX")->path, "WORK.BOX\\ソフト.BOX");

  // WORK, FLAT, LOCKED, NOTE; 2002 and ソフト; SUB.
  EXPECT_EQ(CountFolders(Account("Account1")), 7);
}

TEST_F(DataDirectoryTest, AMissingMailboxGivesNothing) {
  EXPECT_TRUE(ListAccounts(root_).directories.empty());
  EXPECT_TRUE(WalkFolders(root_, "Account1").empty());
  EXPECT_EQ(CountFolders(Account("Account1")), 0);
}

}  // namespace
