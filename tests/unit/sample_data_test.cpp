// The fixture that writes data directories, checked against the readers and
// against status blocks worked out by hand.
#include "sample_data/sample_data.h"

#include <gtest/gtest.h>

#include "data_dir/data_directory.h"
#include "data_dir/entry_list.h"
#include "data_dir/mailbox_paths.h"
#include "sample_data/description.h"
#include "support/scratch_directory.h"

namespace {

TEST(SampleDataTest, StatusBlocksAreBase64OfThreeLittleEndianNumbers) {
  EXPECT_EQ(sample::EncodeStatus(1, 0x12345678, 2), "AQAAAHhWNBICAAAA");
  EXPECT_EQ(sample::EncodeStatus(7, -2, 9), "BwAAAP7///8JAAAA");
  EXPECT_EQ(sample::EntryLine("表示", 0), "表示=AAAAAAAAAAAAAAAA\r\n");
}

TEST(SampleDataTest, StatusBlocksDecodeToWhatWasEncoded) {
  const struct {
    std::uint32_t first;
    std::int32_t time;
    std::uint32_t third;
  } cases[] = {{1, 0x12345678, 2}, {0xC1000003u, -2, 0xFFFFFFFFu}, {0, 0, 0}};
  for (const auto& c : cases) {
    std::uint32_t first = 0;
    std::int32_t time = 0;
    std::uint32_t third = 0;
    ASSERT_TRUE(sample::DecodeStatus(sample::EncodeStatus(c.first, c.time, c.third), first, time,
                                     third));
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(time, c.time);
    EXPECT_EQ(third, c.third);
  }
  std::uint32_t first = 0;
  std::int32_t time = 0;
  std::uint32_t third = 0;
  EXPECT_FALSE(sample::DecodeStatus("AQAAAHhWNBICAAA", first, time, third));
  EXPECT_FALSE(sample::DecodeStatus("AQAAAHhWNBICAA=A", first, time, third));
  EXPECT_FALSE(sample::DecodeStatus(std::string("AQAAAHhWNBICAA\0A", 16), first, time, third));
}

TEST(SampleDataTest, ADescriptionBuildsWhatTheReadersFind) {
  ScratchDirectory scratch;
  ASSERT_FALSE(scratch.Path().empty());
  const std::string root = JoinPath(scratch.Path(), "データ");
  sample::DataDirectoryBuilder build(root);
  std::string error;
  ASSERT_TRUE(sample::ApplyDescription(build,
                                       "# one account\r\n"
                                       "account Account1 \"仕事 用\" 1 ソフト回線\r\n"
                                       "folder Account1 WORK.BOX 作業 1\n"
                                       "folder Account1 WORK.BOX\\2002.BOX 表示 \"\"\n"
                                       "\n"
                                       "mail Account1 WORK.BOX\\2002.BOX 00000001 now-120\n"
                                       "mail Account1 WORK.BOX\\2002.BOX 00000002 now+60 3 4\n",
                                       1000000, error))
      << error;
  EXPECT_EQ(ReadAccountTitle(root, "Account1"), "仕事 用");
  std::string entry;
  EXPECT_EQ(ReadAccountDialUp(root, "Account1", entry), 1);
  EXPECT_EQ(ReadFolderTitle(root, "Account1", "WORK.BOX\\2002.BOX"), "表示");
  CEntryList list;
  ASSERT_TRUE(list.Load(EntryListPath(root, "Account1", "WORK.BOX\\2002.BOX")));
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.At(0).time, 1000000 - 120);
  EXPECT_EQ(list.At(1).time, 1000000 + 60);

  const char* const bad[][2] = {
      {"account Account1 仕事 0 \"\"\nfolders Account1 A.BOX a \"\"\n", "line 2: unknown"},
      {"account Account1 \"仕事 0 \"\"\n", "line 1: a quote"},
      {"mail Account1 A.BOX 1 99999999999\n", "line 1: the time"},
      {"folder Account9 A.BOX\\B.BOX a \"\"\n", "line 1: could not"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(sample::ApplyDescription(build, c[0], 0, error)) << c[0];
    EXPECT_EQ(error.rfind(c[1], 0), 0u) << error;
  }
}

}  // namespace
