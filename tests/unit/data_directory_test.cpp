// The client's data directory (accounts, folders, their ini files and indexes) on real
// files below a root ending in 表: natively through the POSIX port, under Wine the Win32 one.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <tuple>

#include "data_dir/data_directory.h"
#include "data_dir/entry_list.h"
#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class DataDirectoryTest : public ::testing::Test {
 protected:
  std::string Index(const std::string& bytes) {
    const std::string path = JoinPath(root_, "Entry" + std::to_string(files_++) + ".lst");
    EXPECT_TRUE(sample::WriteFile(path, bytes));
    return path;
  }
  // "name@time" of every entry the index at path lists.
  static std::vector<std::string> Listed(const std::string& path) {
    CEntryList list;
    EXPECT_TRUE(list.Load(path));
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < list.Count(); ++i) listed.push_back(list.At(i).fileName + "@" + std::to_string(list.At(i).time));
    return listed;
  }

  ScratchDirectory scratch_;
  std::string root_ = scratch_.Path();
  std::string account_ = AccountDirectory(root_, "Account1");
  sample::DataDirectoryBuilder build_{root_};
  int files_ = 0;
};

TEST_F(DataDirectoryTest, AccountsAreTheAccountDirectoriesWithTheirSettings) {
  EXPECT_FALSE(ListAccounts(root_).readable || ListAccounts("").readable);
  ASSERT_TRUE(build_.AddAccount("Account1", "仕事", 1, "ソフト接続") && build_.AddBareAccount("Account表"));
  ASSERT_TRUE(sample::WriteFile(MailboxDirectory(root_) + "AccountList.txt", "x"));
  const AccountScan scan = ListAccounts(root_);
  EXPECT_TRUE(scan.readable);
  std::map<std::string, std::string> titles;
  for (std::size_t i = 0; i < scan.directories.size(); ++i) titles[scan.directories[i]] = scan.titles.at(i);
  // Without Account.ini: no title in the scan, the directory's name elsewhere.
  EXPECT_EQ(titles, (std::map<std::string, std::string>{{"Account1", "仕事"}, {"Account表", ""}}));
  EXPECT_EQ(ReadAccountTitle(root_, "Account表") + ReadAccountTitle(root_, ""), "Account表");

  std::string entry = "untouched";
  EXPECT_EQ(ReadAccountDialUp(root_, "Account表", entry) + ReadAccountDialUp(root_, "", entry), 0);
  EXPECT_EQ(entry, "untouched");
  EXPECT_EQ(ReadAccountDialUp(root_, "Account1", entry), 1);
  EXPECT_EQ(entry, "ソフト接続");
  // Account.ini as the platform's ini reader takes it.
  for (const auto& [ini, title, useRas] : std::vector<std::tuple<const char*, const char*, int>>{
           {"[property]\r\ntitle=表示\r\nUseRAS=10", "表示", 10},
           {"[Property]\r\n  Title  =   ソフト  \r\n UseRAS = 12abc \r\n", "ソフト", 12},
           {"[Property]\nTitle=\"能力 \"\nUseRAS=-3", "能力 ", -3}, {"[Property]\nTitle='ポスト'\nUseRAS=abc", "ポスト", 0},
           {"[Property]\r\nTitle=\"\"\r\nUseRAS=99999999999", "", 2147483647},
           {"[Property]\r\nTitle=\"open\r\nUseRAS=", "\"open", 0},
           {"[Property]\r\n;Title=no\r\nTitle=first\r\nTitle=second\r\n", "first", 0},
           {"Title=outside\r\n[Other]\r\nTitle=other\r\nUseRAS=1\r\n[Property]\r\n", "", 0}}) {
    // A file per case: the platform may cache a file it has read.
    const std::string name = "AccountIni" + std::to_string(++files_);
    ASSERT_TRUE(build_.AddBareAccount(name) && sample::WriteFile(AccountDirectory(root_, name) + "\\Account.ini", ini));
    EXPECT_EQ(ReadAccountTitle(root_, name), title) << ini;
    EXPECT_EQ(ReadAccountDialUp(root_, name, entry), useRas) << ini;
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
}

constexpr std::int32_t kTenOClock = 1700042400;
const std::string kZero = "=AAAAAAAAAAAAAAAA";

TEST_F(DataDirectoryTest, LinesGiveNameAndTimeOrAreSkipped) {
  const std::string longName(4079, 'n');  // the status block has to end within 4096 bytes
  const std::pair<std::string, std::string> cases[] = {
      {"00000002=AQAAAHhWNBICAAAA", "00000002@305419896"}, {"3=BwAAAP7///8JAAAA", "3@-2"},
      {"rest=AQAAAHhWNBICAAAA,more=text(1)", "rest@305419896"}, {"pad=AAAA/=/=AAAAAAAA", "pad@49167"},
      {"表示" + kZero, "表示@0"}, {"ポスト" + kZero, "ポスト@0"}, {"ﾒｰﾙ 1" + kZero, "ﾒｰﾙ 1@0"},
      {".x" + kZero, ".x@0"}, {"..x" + kZero, "..x@0"}, {longName + kZero + "rest", longName + "@0"},
      {longName + "n" + kZero, ""}, {"no separator", ""}, {kZero, ""}, {"short=AAAAAAAAAAAAAAA", ""},
      {"junk=AAAA!!!!AAAAAAAA", ""},
      // Names a client command could not carry safely.
      {"a,b" + kZero, ""}, {"a(b" + kZero, ""}, {"a\\b" + kZero, ""}, {"a/b" + kZero, ""}, {"." + kZero, ""},
      {".." + kZero, ""}, {"a\tb" + kZero, ""}, {std::string("a\0b", 3) + kZero, ""}, {"a\x81" + kZero, ""},
      {"\x81,x" + kZero, ""}, {"a\xff" + kZero, ""}, {"a\xa0" + kZero, ""}, {"a\x80" + kZero, ""},
  };
  std::string whole;
  std::vector<std::string> kept;
  for (const auto& [line, listed] : cases) {
    whole += line + (whole.size() % 2 ? "\n" : "\r\n");
    const std::string path = Index(line + "\r\n");
    EXPECT_EQ(Listed(path), listed.empty() ? std::vector<std::string>{} : std::vector<std::string>{listed});
    EXPECT_EQ(CEntryList::AnyDueIn(path, INT_MAX), !listed.empty()) << line;
    if (!listed.empty()) {
      kept.push_back(listed);
      const std::int32_t time = std::stoi(listed.substr(listed.rfind('@') + 1));
      EXPECT_TRUE(CEntryList::AnyDueIn(path, time)) << line;
      EXPECT_FALSE(CEntryList::AnyDueIn(path, std::time_t{time} - 1)) << line;
    }
  }
  EXPECT_EQ(Listed(Index(whole)), kept);
}

TEST_F(DataDirectoryTest, HugeIndexesWithJunkLinesAcrossBlocksAndOverlongLinesAndMissingOnes) {
  // Lines up to one that the end of the first 1 MiB read block cuts close to a line prefix
  // from its start, more than a block of lines after it, binary junk, a line longer than a
  // block, a name too long to be a file name, a long tail after a status block, empty lines.
  std::vector<std::string> expected;
  std::string bytes;
  const auto add = [&](const std::string& name, const std::string& tail) {
    bytes += name + "=" + sample::EncodeStatus(0, kTenOClock, 0) + tail + "\r\n";
    expected.push_back(name + "@" + std::to_string(kTenOClock));
  };
  const std::size_t cut = (std::size_t{1} << 20) - 4090;
  for (int i = 10000000; bytes.size() + 2 * 27 <= cut; ++i) add(std::to_string(i), "");
  add("pad", std::string(cut - bytes.size() - 22, 'p'));
  add(std::string(4079, 'n'), "");
  for (int i = 20000000; bytes.size() < 2500000; ++i) add(std::to_string(i), "");
  std::uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes += static_cast<char>(seed >> 23);
  }
  bytes += "\r\n" + std::string(3000000, 'x') + "\r\n" + std::string(5000, 'n') + kZero + "\r\n";
  add("tail", std::string(100000, 't'));
  bytes += "\r\n\nlast=" + sample::EncodeStatus(0, kTenOClock - 600, 0);  // counts without a line end
  expected.push_back("last@" + std::to_string(kTenOClock - 600));
  const std::string path = Index(bytes);
  EXPECT_EQ(Listed(path), expected);
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock - 600));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 601));
  // A mail on the minute makes its list due but is handled a minute later.
  CEntryList list;
  ASSERT_TRUE(list.Load(path));
  EXPECT_FALSE(list.AnyDue(kTenOClock - 601) || list.At(0).IsDue(kTenOClock));
  EXPECT_TRUE(list.AnyDue(kTenOClock - 600) && list.At(0).IsDue(kTenOClock + 1));
  const std::string missing = JoinPath(root_, "missing.lst");
  EXPECT_FALSE(list.Load(missing) || list.Count() != 0 || CEntryList::AnyDueIn(missing, INT_MAX));
}

}  // namespace
