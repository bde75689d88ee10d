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
  void SetUp() override { ASSERT_FALSE(scratch_.Path().empty()); }

  std::string Index(const std::string& bytes) {
    const std::string path = JoinPath(scratch_.Path(), "Entry" + std::to_string(files_++) + ".lst");
    EXPECT_TRUE(sample::WriteFile(path, bytes));
    return path;
  }

  ScratchDirectory scratch_;
  int files_ = 0;
};

constexpr std::int32_t kTenOClock = 1700042400;  // 2023-11-15 10:00:00 UTC

TEST_F(EntryListTest, LinesGiveNameAndTimeOrAreSkipped) {
  struct Case {
    std::string line;
    bool kept;
    std::string name;
    std::int32_t time;
  };
  const std::string zero = "AAAAAAAAAAAAAAAA";
  const Case cases[] = {
      {"00000001=" + zero, true, "00000001", 0},
      {"00000002=AQAAAHhWNBICAAAA", true, "00000002", 0x12345678},
      {"00000003=BwAAAP7///8JAAAA", true, "00000003", -2},
      {"rest=AQAAAHhWNBICAAAA,more=text(1)", true, "rest", 0x12345678},
      // "=" and characters outside the alphabet count as 0.
      {"pad=AAAA/=/=AAAAAAAA", true, "pad", 49167},
      {"表示=" + zero, true, "表示", 0},
      {"ポスト=" + zero, true, "ポスト", 0},
      {"ﾒｰﾙ 1=" + zero, true, "ﾒｰﾙ 1", 0},
      {"..x=" + zero, true, "..x", 0},
      // The status block has to end within the first 4096 bytes of its line.
      {std::string(4079, 'n') + "=" + zero + "rest", true, std::string(4079, 'n'), 0},
      {std::string(4080, 'n') + "=" + zero, false, "", 0},
      {"no separator", false, "", 0},
      {"=" + zero, false, "", 0},
      {"short=AAAAAAAAAAAAAAA", false, "", 0},
      {"a,b=" + zero, false, "", 0},
      {"a(b=" + zero, false, "", 0},
      {"a\\b=" + zero, false, "", 0},
      {"a/b=" + zero, false, "", 0},
      {".=" + zero, false, "", 0},
      {"..=" + zero, false, "", 0},
      {"a\tb=" + zero, false, "", 0},
      {std::string("a\0b=", 4) + zero, false, "", 0},
      // A lead byte without its trail byte, or with one that cannot be one.
      {"a\x81=" + zero, false, "", 0},
      {"\x81,x=" + zero, false, "", 0},
      {"junk=AAAA!!!!AAAAAAAA", false, "", 0},
      {"a\xff=" + zero, false, "", 0},
      {"a\xa0=" + zero, false, "", 0},
  };
  std::string whole;
  std::vector<const Case*> kept;
  for (const Case& c : cases) {
    whole += c.line + (kept.size() % 2 ? "\n" : "\r\n");
    if (c.kept) {
      kept.push_back(&c);
    }
    // Alone in a file: the streaming check must agree with the loaded list.
    const std::string path = Index(c.line + "\r\n");
    CEntryList list;
    ASSERT_TRUE(list.Load(path));
    ASSERT_EQ(list.Count(), c.kept ? 1u : 0u) << c.line;
    EXPECT_EQ(CEntryList::AnyDueIn(path, INT_MAX), c.kept) << c.line;
    if (c.kept) {
      EXPECT_EQ(list.At(0).fileName, c.name);
      EXPECT_EQ(list.At(0).time, c.time) << c.line;
      EXPECT_TRUE(CEntryList::AnyDueIn(path, c.time)) << c.line;
      EXPECT_FALSE(CEntryList::AnyDueIn(path, std::time_t{c.time} - 1)) << c.line;
    }
  }

  CEntryList list;
  ASSERT_TRUE(list.Load(Index(whole)));
  ASSERT_EQ(list.Count(), kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(list.At(i).fileName, kept[i]->name);
    EXPECT_EQ(list.At(i).time, kept[i]->time);
  }
}

TEST_F(EntryListTest, AMailOnTheMinuteMakesItsFolderDueButIsHandledAMinuteLater) {
  const std::string path = Index(sample::EntryLine("00000001", kTenOClock) +
                                 sample::EntryLine("00000002", kTenOClock + 3600));
  CEntryList list;
  ASSERT_TRUE(list.Load(path));
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_FALSE(list.AnyDue(kTenOClock - 60));
  EXPECT_TRUE(list.AnyDue(kTenOClock));
  EXPECT_FALSE(list.At(0).IsDue(kTenOClock));
  EXPECT_TRUE(list.At(0).IsDue(kTenOClock + 60));
  EXPECT_FALSE(list.At(1).IsDue(kTenOClock + 60));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 60));
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock));
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
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_EQ(list.At(i).fileName, "0000000" + std::to_string(i + 1));
    }
  }
}

TEST_F(EntryListTest, AMissingIndexIsEmptyAndNeverDue) {
  CEntryList list;
  ASSERT_TRUE(list.Load(Index(sample::EntryLine("00000001", 0))));
  EXPECT_FALSE(list.Load(JoinPath(scratch_.Path(), "missing.lst")));
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(list.AnyDue(INT_MAX));
  EXPECT_FALSE(CEntryList::AnyDueIn(JoinPath(scratch_.Path(), "missing.lst"), INT_MAX));
}

TEST_F(EntryListTest, BinaryJunkAroundAMailYieldsThatMailOnly) {
  std::string junk;
  std::uint32_t seed = 12345;
  const auto noise = [&junk, &seed] {
    for (int i = 0; i < 200000; ++i) {
      seed = seed * 1103515245u + 12345u;
      junk += static_cast<char>(seed >> 23);
    }
  };
  noise();
  junk += "\r\n00000002=" + sample::EncodeStatus(0, 600, 0) + "\r\n";
  noise();
  CEntryList list;
  ASSERT_TRUE(list.Load(Index(junk)));
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(0).fileName, "00000002");
  EXPECT_EQ(list.At(0).time, 600);
  EXPECT_TRUE(CEntryList::AnyDueIn(Index(junk), 601));
}

TEST_F(EntryListTest, LinesAcrossBlocksAndOverlongLines) {
  // More than a read block of ordinary lines, a line longer than a block, a
  // name too long to be a file name, and a long tail after a status block.
  std::string bytes;
  int lines = 0;
  while (bytes.size() < 1500000) {
    bytes += sample::EntryLine(std::to_string(10000000 + lines++), kTenOClock);
  }
  bytes += std::string(3000000, 'x') + "\r\n";
  bytes += std::string(5000, 'n') + "=AAAAAAAAAAAAAAAA\r\n";
  bytes += "tail=" + sample::EncodeStatus(0, kTenOClock, 0) + std::string(100000, 't') + "\r\n";
  bytes += sample::EntryLine("last", kTenOClock - 600);
  const std::string path = Index(bytes);

  CEntryList list;
  ASSERT_TRUE(list.Load(path));
  ASSERT_EQ(list.Count(), static_cast<std::size_t>(lines) + 2);
  for (int i = 0; i < lines; ++i) {
    ASSERT_EQ(list.At(i).fileName, std::to_string(10000000 + i));
  }
  EXPECT_EQ(list.At(lines).fileName, "tail");
  EXPECT_EQ(list.At(lines).time, kTenOClock);
  EXPECT_EQ(list.At(lines + 1).fileName, "last");
  EXPECT_TRUE(CEntryList::AnyDueIn(path, kTenOClock - 600));
  EXPECT_FALSE(CEntryList::AnyDueIn(path, kTenOClock - 601));
}

}  // namespace
