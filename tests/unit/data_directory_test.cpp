// The client's data directory on real files below a root ending in 表:
// natively through the POSIX file port, under Wine through the Win32 one.
#include "data_dir/data_directory.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class DataDirectoryTest : public ::testing::Test {
 protected:
  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
  std::string account_ = AccountDirectory(root_, "Account1");
  sample::DataDirectoryBuilder build_{root_};
};

TEST_F(DataDirectoryTest, AccountsAreTheAccountDirectoriesWithTheirSettings) {
  EXPECT_FALSE(ListAccounts(root_).readable || ListAccounts("").readable);
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 1, "ソフト接続") && build_.AddBareAccount("Account表"));
  ASSERT_TRUE(sample::WriteFile(MailboxDirectory(root_) + "AccountList.txt", "x"));
  const AccountScan scan = ListAccounts(root_);
  EXPECT_TRUE(scan.readable);
  std::map<std::string, std::string> titles;
  for (std::size_t i = 0; i < scan.directories.size(); ++i) {
    titles[scan.directories[i]] = scan.titles.at(i);
  }
  // Without Account.ini: no title in the scan, the directory's name elsewhere.
  EXPECT_EQ(titles, (std::map<std::string, std::string>{{"Account1", "仕事"}, {"Account表", ""}}));
  EXPECT_EQ(ReadAccountTitle(root_, "Account表") + ReadAccountTitle(root_, ""), "Account表");

  std::string entry = "untouched";
  EXPECT_EQ(ReadAccountDialUp(root_, "Account表", entry) + ReadAccountDialUp(root_, "", entry), 0);
  EXPECT_EQ(entry, "untouched");
  EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), 1);
  EXPECT_EQ(entry, "ソフト接続");
  for (const auto& [useRas, expected] : std::map<std::string, int>{
           {"", 0}, {"10", 10}, {"12abc", 12}, {"-3", -3}, {"abc", 0}, {"99999999999", 2147483647}}) {
    ASSERT_TRUE(sample::WriteFile(account_ + "\\Account.ini", "[Property]\r\nUseRAS=" + useRas + "\r\n"));
    EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), expected) << useRas;
  }
}

TEST_F(DataDirectoryTest, FoldersAreWalkedWhereTheirTypeIsSetAndCountedAll) {
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 0, ""));
  // FLAT has no Type: its sub-folder is counted but not walked. LOCKED has an
  // extra attribute: it is counted, but neither walked nor counted into.
  for (const auto& [path, title, type] : std::vector<std::tuple<const char*, const char*, const char*>>{
           {"inbox.box", "ほかの名前", ""}, {"WORK.BOX", "作業", "1"}, {"WORK.BOX\\INBOX.BOX", "表示", ""},
           {"FLAT.BOX", "平ら", ""}, {"FLAT.BOX\\SUB.BOX", "下", ""}, {"LOCKED.BOX", "鍵", "1"},
           {"LOCKED.BOX\\INNER.BOX", "中", ""}}) {
    ASSERT_TRUE(build_.AddFolder("Account1", path, title, type)) << path;
  }
  ASSERT_TRUE(sample::AddExtraAttribute(account_ + "\\LOCKED.BOX"));
  ASSERT_TRUE(sample::WriteFile(account_ + "\\NOTE.BOX", "a file") && sample::MakeDirectory(account_ + "\\a.boxes"));
  std::map<std::string, std::string> walked;  // path: title and type
  const auto visit = [&walked](const std::vector<FolderNode>& nodes, auto& self) -> void {
    for (const FolderNode& node : nodes) {
      walked[node.path] = node.title + "/" + node.type;
      self(node.children, self);
    }
  };
  visit(WalkFolders(root_, "Account1"), visit);
  EXPECT_EQ(walked, (std::map<std::string, std::string>{{"FLAT.BOX", "平ら/"}, {"WORK.BOX", "作業/1"},
                                                        {"WORK.BOX\\INBOX.BOX", "表示/"}, {"inbox.box", "ほかの名前/"}}));
  EXPECT_EQ(CountFolders(account_), 7);  // WORK, its INBOX, FLAT, SUB, LOCKED, NOTE, inbox
  EXPECT_TRUE(WalkFolders(root_, "").empty());
  EXPECT_EQ(ReadFolderTitle(root_, "Account1", "WORK.BOX\\INBOX.BOX") + ReadFolderTitle(root_, "Account1", "NO.BOX"),
            "表示");
}

TEST_F(DataDirectoryTest, IniStringsReadLikeThePlatformReadsThem) {
  int index = 0;
  for (const auto& [content, maxBytes, expected] : std::vector<std::tuple<const char*, std::size_t, const char*>>{
           {"[property]\r\ntitle=表示\r\n", 1023, "表示"}, {"[Property]\r\n  Title  =   ソフト  \r\n", 1023, "ソフト"},
           {"[Property]\r\nTitle=\"能力 \"\r\n", 1023, "能力 "}, {"[Property]\nTitle='ポスト'", 1023, "ポスト"},
           {"[Property]\r\nTitle=\"\"\r\n", 1023, ""}, {"[Property]\r\nTitle=\"open\r\n", 1023, "\"open"},
           {"[Property]\r\n;Title=no\r\nTitle=first\r\nTitle=second\r\n", 1023, "first"},
           {"Title=outside\r\n[Other]\r\nTitle=other\r\n", 1023, "既定"},
           {"[Property]\r\nTitle=能力能力\r\n", 5, "能力"}}) {  // never half of 能
    // A file per case: the platform may cache a file it has read.
    const std::string path = JoinPath(root_, "case" + std::to_string(index++) + ".ini");
    ASSERT_TRUE(sample::WriteFile(path, content));
    EXPECT_EQ(filesys::ReadIniString(path, "Property", "Title", "既定", maxBytes), expected) << content;
  }
  EXPECT_EQ(filesys::ReadIniString(JoinPath(root_, "none.ini"), "Property", "Title", "既定", 9), "既定");
}

}  // namespace
