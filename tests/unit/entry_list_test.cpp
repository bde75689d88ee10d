// The folder index on real files: which lines count, the time they carry, and
// that the streaming check agrees with the loaded list on every case.
#include "data_dir/entry_list.h"

#include <gtest/gtest.h>

#include <climits>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class EntryListTest : public ::testing::Test {
 protected:
  std::string Index(const std::string& bytes) {
    const std::string path = JoinPath(scratch_.Path(), "Entry" + std::to_string(files_++) + ".lst");
    EXPECT_TRUE(sample::WriteFile(path, bytes));
    return path;
  }
  // "name@time" of every entry the index at path lists.
  static std::vector<std::string> Listed(const std::string& path) {
    CEntryList list;
    EXPECT_TRUE(list.Load(path));
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      listed.push_back(list.At(i).fileName + "@" + std::to_string(list.At(i).time));
    }
    return listed;
  }

  ScratchDirectory scratch_;
  int files_ = 0;
};

constexpr std::int32_t kTenOClock = 1700042400;
const std::string kZero = "=AAAAAAAAAAAAAAAA";

TEST_F(EntryListTest, LinesGiveNameAndTimeOrAreSkipped) {
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

TEST_F(EntryListTest, AMailOnTheMinuteMakesItsFolderDueButIsHandledAMinuteLater) {
  const std::string path = Index(sample::EntryLine("1", kTenOClock) + sample::EntryLine("2", kTenOClock + 3600));
  CEntryList list;
  ASSERT_TRUE(list.Load(path));
  EXPECT_FALSE(list.AnyDue(kTenOClock - 1) || list.At(0).IsDue(kTenOClock));
  EXPECT_TRUE(list.AnyDue(kTenOClock) && list.At(0).IsDue(kTenOClock + 1));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 1));
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock));
  EXPECT_FALSE(list.Load(JoinPath(scratch_.Path(), "missing.lst")));
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(CEntryList::AnyDueIn(JoinPath(scratch_.Path(), "missing.lst"), INT_MAX));
}

TEST_F(EntryListTest, LineEndsAndHalfWrittenFiles) {
  for (const auto& [bytes, listed] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"1" + kZero + "\r\n2" + kZero + "\n3" + kZero, {"1@0", "2@0", "3@0"}},
           {"1" + kZero + "\r\n\r\n\n2=AAAAA", {"1@0"}},
           {"1" + kZero + "\r\n2=AAAAAAAAAAAAAAA\r", {"1@0"}},
           {"\x81", {}}}) {
    EXPECT_EQ(Listed(Index(bytes)), listed) << bytes;
  }
}

TEST_F(EntryListTest, HugeIndexesWithJunkLinesAcrossBlocksAndOverlongLines) {
  // Lines up to one that the end of the first 1 MiB read block cuts close to
  // a line prefix from its start, more than a block of lines after it, binary
  // junk, a line longer than a block, a name too long to be a file name and a
  // long tail after a status block.
  std::vector<std::string> expected;
  std::string bytes;
  const auto add = [&](const std::string& name, const std::string& tail) {
    bytes += name + "=" + sample::EncodeStatus(0, kTenOClock, 0) + tail + "\r\n";
    expected.push_back(name + "@" + std::to_string(kTenOClock));
  };
  const std::size_t cut = (std::size_t{1} << 20) - 4090;
  for (int i = 10000000; bytes.size() + 2 * 27 <= cut; ++i) {
    add(std::to_string(i), "");
  }
  add("pad", std::string(cut - bytes.size() - 22, 'p'));
  add(std::string(4079, 'n'), "");
  for (int i = 20000000; bytes.size() < 2500000; ++i) {
    add(std::to_string(i), "");
  }
  std::uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes += static_cast<char>(seed >> 23);
  }
  bytes += "\r\n" + std::string(3000000, 'x') + "\r\n" + std::string(5000, 'n') + kZero + "\r\n";
  add("tail", std::string(100000, 't'));
  bytes += sample::EntryLine("last", kTenOClock - 600);
  expected.push_back("last@" + std::to_string(kTenOClock - 600));
  const std::string path = Index(bytes);
  EXPECT_EQ(Listed(path), expected);
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock - 600));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 601));
}

}  // namespace
