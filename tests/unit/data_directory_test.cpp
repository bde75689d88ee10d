// The client's data directory on real files below a root ending in 表:
// natively through the POSIX file port, under Wine through the Win32 one.
#include "data_dir/data_directory.h"

#include <gtest/gtest.h>

#include <map>

#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class DataDirectoryTest : public ::testing::Test {
 protected:
  std::string Account(const std::string& name) const { return AccountDirectory(root_, name); }

  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
  sample::DataDirectoryBuilder build_{root_};
};

TEST_F(DataDirectoryTest, AccountsAreTheAccountDirectoriesWithTheirSettings) {
  EXPECT_FALSE(ListAccounts(root_).readable);
  EXPECT_FALSE(ListAccounts("").readable);
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 1, "ソフト接続"));
  ASSERT_TRUE(build_.AddBareAccount("Account表"));
  ASSERT_TRUE(sample::MakeDirectory(MailboxDirectory(root_) + "Other"));
  ASSERT_TRUE(sample::WriteFile(MailboxDirectory(root_) + "AccountList.txt", "x"));

  const AccountScan scan = ListAccounts(root_);
  EXPECT_TRUE(scan.readable);
  std::map<std::string, std::string> titles;
  for (std::size_t i = 0; i < scan.directories.size(); ++i) {
    titles[scan.directories[i]] = scan.titles.at(i);
  }
  // Without Account.ini: no title in the scan, the directory's name elsewhere.
  EXPECT_EQ(titles, (std::map<std::string, std::string>{{"Account1", "仕事"}, {"Account表", ""}}));
  EXPECT_EQ(ReadAccountTitle(root_, "Account表"), "Account表");
  EXPECT_EQ(ReadAccountTitle(root_, ""), "");

  std::string entry = "untouched";
  EXPECT_EQ(ReadAccountDialUp(root_, "Account表", entry), 0);
  EXPECT_EQ(ReadAccountDialUp(root_, "", entry), 0);
  EXPECT_EQ(entry, "untouched");
  EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), 1);
  EXPECT_EQ(entry, "ソフト接続");
  for (const auto& [useRas, expected] : std::map<std::string, int>{
           {"", 0}, {"10", 10}, {"12abc", 12}, {"-3", -3}, {"abc", 0}, {"99999999999", 2147483647}}) {
    ASSERT_TRUE(sample::WriteFile(Account("Account1") + "\\Account.ini",
                                  "[Property]\r\nUseRAS=" + useRas + "\r\n"));
    EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), expected) << useRas;
  }
}

TEST_F(DataDirectoryTest, FoldersAreWalkedWhereTheirTypeIsSetAndCountedAll) {
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 0, ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "inbox.box", "ほかの名前", ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX", "作業", "1"));
  ASSERT_TRUE(build_.AddFolder("Account1", "WORK.BOX\\INBOX.BOX", "表示", ""));
  // Type empty: its sub-folder is counted but not walked.
  ASSERT_TRUE(build_.AddFolder("Account1", "FLAT.BOX", "平ら", ""));
  ASSERT_TRUE(build_.AddFolder("Account1", "FLAT.BOX\\SUB.BOX", "下", ""));
  // An extra attribute: counted itself, but neither walked nor counted into.
  ASSERT_TRUE(build_.AddFolder("Account1", "LOCKED.BOX", "鍵", "1"));
  ASSERT_TRUE(build_.AddFolder("Account1", "LOCKED.BOX\\INNER.BOX", "中", ""));
  ASSERT_TRUE(sample::AddExtraAttribute(Account("Account1") + "\\LOCKED.BOX"));
  ASSERT_TRUE(sample::WriteFile(Account("Account1") + "\\NOTE.BOX", "a file"));
  ASSERT_TRUE(sample::MakeDirectory(Account("Account1") + "\\a.boxes"));

  std::map<std::string, std::string> walked;  // path: title and type
  const auto visit = [&walked](const std::vector<FolderNode>& nodes, auto& self) -> void {
    for (const FolderNode& node : nodes) {
      walked[node.path] = node.title + "/" + node.type;
      self(node.children, self);
    }
  };
  visit(WalkFolders(root_, "Account1"), visit);
  EXPECT_EQ(walked, (std::map<std::string, std::string>{{"FLAT.BOX", "平ら/"},
                                                        {"WORK.BOX", "作業/1"},
                                                        {"WORK.BOX\\INBOX.BOX", "表示/"},
                                                        {"inbox.box", "ほかの名前/"}}));
  EXPECT_EQ(CountFolders(Account("Account1")), 7);  // WORK, its INBOX, FLAT, SUB, LOCKED, NOTE, inbox
  EXPECT_TRUE(WalkFolders(root_, "").empty());
  EXPECT_EQ(CountFolders(Account("Account9")), 0);

  const char* const titles[][2] = {
      {"inbox.box", "郵便受け"}, {"OutBox.Box", "送信箱"}, {"WORK.BOX\\INBOX.BOX", "表示"},
      {"", ""},                  {"MISSING.BOX", ""},
  };
  for (const auto& t : titles) {
    EXPECT_EQ(ReadFolderTitle(root_, "Account1", t[0]), t[1]) << t[0];
  }
}

TEST_F(DataDirectoryTest, IniStringsReadLikeThePlatformReadsThem) {
  const struct {
    const char* content;
    const char* key;
    std::size_t maxBytes;
    const char* expected;
  } cases[] = {
      {"[property]\r\ntitle=表示\r\n", "TITLE", 1023, "表示"},
      {"[Property]\r\n  Title  =   ソフト  \r\n", "Title", 1023, "ソフト"},
      {"[Property]\r\nTitle=\"能力 \"\r\n", "Title", 1023, "能力 "},
      {"[Property]\r\nTitle='ポスト'\r\n", "Title", 1023, "ポスト"},
      {"[Property]\r\nTitle=\"\"\r\n", "Title", 1023, ""},
      {"[Property]\r\nTitle=\"open\r\n", "Title", 1023, "\"open"},
      {"[Property]\r\nTitle=first\r\nTitle=second\r\n", "Title", 1023, "first"},
      {"[Property]\r\n;Title=comment\r\nTitle=real\r\n", "Title", 1023, "real"},
      {"Title=outside\r\n[Other]\r\nTitle=other\r\n[Property]\r\n", "Title", 1023, "既定"},
      {"[Property]\nTitle=LF only\nType=1", "Type", 1023, "1"},
      {"[Property]\r\nTitle=能力能力\r\n", "Title", 5, "能力"},  // never half of 能
  };
  int index = 0;
  for (const auto& c : cases) {
    // A file per case: the platform may cache a file it has read.
    const std::string path = JoinPath(root_, "case" + std::to_string(index++) + ".ini");
    ASSERT_TRUE(sample::WriteFile(path, c.content));
    EXPECT_EQ(filesys::ReadIniString(path, "Property", c.key, "既定", c.maxBytes), c.expected)
        << c.content;
  }
  EXPECT_EQ(filesys::ReadIniString(JoinPath(root_, "none.ini"), "Property", "Title", "既定", 9), "既定");
}

}  // namespace
