// The file-system port on real directories: natively the POSIX side, under
// Wine the Win32 side, from the same cases, so the two cannot drift apart.
#include "data_dir/file_system.h"

#include <gtest/gtest.h>

#include <map>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_disk.h"
#include "support/scratch_directory.h"

namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(scratch_.Path().empty()); }

  std::string In(const std::string& name) const { return JoinPath(scratch_.Path(), name); }

  std::map<std::string, std::uint32_t> Listed(const std::string& pattern) const {
    std::vector<filesys::DirEntry> entries;
    EXPECT_TRUE(filesys::ListDirectory(scratch_.Path(), pattern, entries)) << pattern;
    std::map<std::string, std::uint32_t> byName;
    for (const filesys::DirEntry& entry : entries) {
      byName[entry.name] = entry.attributes;
    }
    return byName;
  }

  ScratchDirectory scratch_;
};

TEST_F(FileSystemTest, ListsLongNamesMatchingThePatternWithTheirAttributes) {
  for (const char* directory : {"Account1", "account表", "WORK.BOX", "a.boxes"}) {
    ASSERT_TRUE(sample::MakeDirectory(In(directory))) << directory;
  }
  ASSERT_TRUE(sample::WriteFile(In("AccountList.txt"), "x"));
  ASSERT_TRUE(sample::WriteFile(In("note.box"), "x"));
  ASSERT_TRUE(sample::AddExtraAttribute(In("WORK.BOX")));

  const auto accounts = Listed("Account*");
  ASSERT_EQ(accounts.size(), 3u);
  EXPECT_EQ(accounts.at("Account1"), filesys::kDirectory);
  EXPECT_EQ(accounts.at("account表"), filesys::kDirectory);
  EXPECT_EQ(accounts.at("AccountList.txt") & filesys::kDirectory, 0u);

  // "a.boxes" has a short name ending in ".BOX"; only long names count.
  const auto folders = Listed("*.box");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders.at("WORK.BOX"), filesys::kDirectory | sample::kExtraAttribute);
  EXPECT_EQ(folders.at("note.box") & filesys::kDirectory, 0u);

  EXPECT_TRUE(Listed("*.none").empty());
  std::vector<filesys::DirEntry> entries{{"stale", 0}};
  EXPECT_FALSE(filesys::ListDirectory(In("missing"), "*", entries));
  EXPECT_TRUE(entries.empty());

  EXPECT_TRUE(filesys::FileExists(In("note.box")));
  EXPECT_FALSE(filesys::FileExists(In("account表")));
  EXPECT_FALSE(filesys::FileExists(In("missing.ini")));
}

TEST_F(FileSystemTest, IniStringsReadLikeThePlatformReadsThem) {
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
      {"[Property]\r\nTitle=\"open\r\n", "Title", 1023, "\"open"},
      {"[Property]\r\nTitle=\r\n", "Title", 1023, ""},
      {"[Property]\r\nTitle=first\r\nTitle=second\r\n", "Title", 1023, "first"},
      {"[Property]\r\n;Title=comment\r\nTitle=real\r\n", "Title", 1023, "real"},
      {"[Other]\r\nTitle=other\r\n[Property]\r\nUseRAS=1\r\n", "Title", 1023, "既定"},
      {"Title=outside\r\n[Property]\r\n", "Title", 1023, "既定"},
      {"[Property]\nTitle=LF only\nType=1", "Type", 1023, "1"},
      // Cut on a character boundary, never inside 能.
      {"[Property]\r\nTitle=能力能力\r\n", "Title", 5, "能力"},
  };
  int index = 0;
  for (const auto& c : cases) {
    // A file per case: the platform may cache a file it has read.
    const std::string path = In("case" + std::to_string(index++) + ".ini");
    ASSERT_TRUE(sample::WriteFile(path, c.content));
    EXPECT_EQ(filesys::ReadIniString(path, "Property", c.key, "既定", c.maxBytes), c.expected)
        << c.content;
  }
  EXPECT_EQ(filesys::ReadIniString(In("missing.ini"), "Property", "Title", "既定", 1023), "既定");
}

}  // namespace
