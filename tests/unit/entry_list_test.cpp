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

  ScratchDirectory scratch_;
  int files_ = 0;
};

constexpr std::int32_t kTenOClock = 1700042400;

TEST_F(EntryListTest, LinesGiveNameAndTimeOrAreSkipped) {
  const std::string zero = "AAAAAAAAAAAAAAAA";
  const struct {
    std::string line;
    bool kept;
    std::string name;
    std::int32_t time;
  } cases[] = {
      {"00000002=AQAAAHhWNBICAAAA", true, "00000002", 0x12345678},
      {"00000003=BwAAAP7///8JAAAA", true, "00000003", -2},
      {"rest=AQAAAHhWNBICAAAA,more=text(1)", true, "rest", 0x12345678},
      {"pad=AAAA/=/=AAAAAAAA", true, "pad", 49167},  // "=" counts as 0
      {"表示=" + zero, true, "表示", 0},
      {"ポスト=" + zero, true, "ポスト", 0},
      {"ﾒｰﾙ 1=" + zero, true, "ﾒｰﾙ 1", 0},
      {".x=" + zero, true, ".x", 0},
      {"..x=" + zero, true, "..x", 0},
      // The status block has to end within the first 4096 bytes of its line.
      {std::string(4079, 'n') + "=" + zero + "rest", true, std::string(4079, 'n'), 0},
      {std::string(4080, 'n') + "=" + zero, false, "", 0},
      {"no separator", false, "", 0},
      {"=" + zero, false, "", 0},
      {"short=AAAAAAAAAAAAAAA", false, "", 0},
      {"junk=AAAA!!!!AAAAAAAA", false, "", 0},
  };
  // Names a client command could not carry safely.
  std::vector<std::string> refused = {"a,b", "a(b", "a\\b", "a/b", ".", "..", "a\tb", std::string("a\0b", 3),
                                      "a\x81", "\x81,x", "a\xff", "a\xa0", "a\x80"};
  std::string whole;
  std::vector<std::pair<std::string, std::int32_t>> kept;
  const auto check = [&](const std::string& line, bool isKept, const std::string& name, std::int32_t time) {
    whole += line + (whole.size() % 2 ? "\n" : "\r\n");
    if (isKept) {
      kept.emplace_back(name, time);
    }
    const std::string path = Index(line + "\r\n");
    CEntryList list;
    ASSERT_TRUE(list.Load(path));
    ASSERT_EQ(list.Count(), isKept ? 1u : 0u) << line;
    EXPECT_EQ(CEntryList::AnyDueIn(path, INT_MAX), isKept) << line;
    if (isKept) {
      EXPECT_EQ(list.At(0).fileName, name);
      EXPECT_EQ(list.At(0).time, time) << line;
      EXPECT_TRUE(CEntryList::AnyDueIn(path, time)) << line;
      EXPECT_FALSE(CEntryList::AnyDueIn(path, std::time_t{time} - 1)) << line;
    }
  };
  for (const auto& c : cases) {
    check(c.line, c.kept, c.name, c.time);
  }
  for (const std::string& name : refused) {
    check(name + "=" + zero, false, "", 0);
  }
  CEntryList list;
  ASSERT_TRUE(list.Load(Index(whole)));
  ASSERT_EQ(list.Count(), kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(list.At(i).fileName + "@" + std::to_string(list.At(i).time),
              kept[i].first + "@" + std::to_string(kept[i].second));
  }
}

TEST_F(EntryListTest, AMailOnTheMinuteMakesItsFolderDueButIsHandledAMinuteLater) {
  const std::string path = Index(sample::EntryLine("00000001", kTenOClock) +
                                 sample::EntryLine("00000002", kTenOClock + 3600));
  CEntryList list;
  ASSERT_TRUE(list.Load(path));
  EXPECT_FALSE(list.AnyDue(kTenOClock - 1));
  EXPECT_TRUE(list.AnyDue(kTenOClock));
  EXPECT_FALSE(list.At(0).IsDue(kTenOClock));
  EXPECT_TRUE(list.At(0).IsDue(kTenOClock + 1));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 1));
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock));
  EXPECT_FALSE(list.Load(JoinPath(scratch_.Path(), "missing.lst")));
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(CEntryList::AnyDueIn(JoinPath(scratch_.Path(), "missing.lst"), INT_MAX));
}

TEST_F(EntryListTest, LineEndsAndHalfWrittenFiles) {
  const std::string a = "00000001=AAAAAAAAAAAAAAAA";
  const std::pair<std::string, std::size_t> cases[] = {
      {a + "\r\n00000002=AAAAAAAAAAAAAAAA\n00000003=AAAAAAAAAAAAAAAA", 3},
      {a + "\r\n\r\n\n00000002=AAAAA", 1},
      {a + "\r\n00000002=AAAAAAAAAAAAAAA\r", 1},
      {"\x81", 0},
  };
  for (const auto& [bytes, count] : cases) {
    CEntryList list;
    ASSERT_TRUE(list.Load(Index(bytes)));
    ASSERT_EQ(list.Count(), count) << bytes;
  }
}

TEST_F(EntryListTest, HugeIndexesWithJunkLinesAcrossBlocksAndOverlongLines) {
  // Ordinary lines up to a line cut by the end of the first 1 MiB read block
  // close to a line prefix from its start, more than a block of lines after
  // it, a line longer than a block, a name too long to be a file name, a long
  // tail after a status block, and binary junk.
  std::string bytes;
  int lines = 0;
  const std::size_t cut = (std::size_t{1} << 20) - 4090;
  while (bytes.size() + 2 * 27 <= cut) {
    bytes += sample::EntryLine(std::to_string(10000000 + lines++), kTenOClock);
  }
  bytes += "pad=" + sample::EncodeStatus(0, kTenOClock, 0) + std::string(cut - bytes.size() - 22, 'p') + "\r\n";
  bytes += std::string(4079, 'n') + "=" + sample::EncodeStatus(0, kTenOClock, 0) + "\r\n";
  while (bytes.size() < 2500000) {
    bytes += sample::EntryLine(std::to_string(10000000 + lines++), kTenOClock);
  }
  std::uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes += static_cast<char>(seed >> 23);
  }
  bytes += "\r\n" + std::string(3000000, 'x') + "\r\n";
  bytes += std::string(5000, 'n') + "=AAAAAAAAAAAAAAAA\r\n";
  bytes += "tail=" + sample::EncodeStatus(0, kTenOClock, 0) + std::string(100000, 't') + "\r\n";
  bytes += sample::EntryLine("last", kTenOClock - 600);
  const std::string path = Index(bytes);

  CEntryList list;
  ASSERT_TRUE(list.Load(path));
  ASSERT_EQ(list.Count(), static_cast<std::size_t>(lines) + 4);
  std::size_t at = 0;
  for (int i = 0; i < lines; ++i, ++at) {
    if (list.At(at).fileName == "pad") {
      EXPECT_EQ(list.At(++at).fileName, std::string(4079, 'n'));
      ++at;
    }
    ASSERT_EQ(list.At(at).fileName, std::to_string(10000000 + i));
  }
  EXPECT_EQ(list.At(at).fileName + "@" + std::to_string(list.At(at).time), "tail@" + std::to_string(kTenOClock));
  EXPECT_EQ(list.At(at + 1).fileName, "last");
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock - 600));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 601));
}

}  // namespace
