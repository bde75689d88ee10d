#include "data_dir/mailbox_paths.h"

#include <gtest/gtest.h>

#include "data_dir/wildcard.h"

namespace {

TEST(MailboxPathsTest, PathsRespectLeadBytes) {
  const char* const roots[][2] = {
      {"D:\\Mail", "D:\\Mail\\mailbox\\"},
      {"D:\\Mail\\", "D:\\Mail\\mailbox\\"},
      // The last byte of each is 0x5C, yet none ends with a separator.
      {"D:\\表", "D:\\表\\mailbox\\"},
      {"C:\\能力\\ソ", "C:\\能力\\ソ\\mailbox\\"},
      {"D:\\表\\", "D:\\表\\mailbox\\"},
  };
  for (const auto& root : roots) {
    EXPECT_EQ(MailboxDirectory(root[0]), root[1]) << root[0];
  }
  EXPECT_EQ(EntryListPath("D:\\表", "Account1", "WORK.BOX\\2002.BOX"),
            "D:\\表\\mailbox\\Account1\\WORK.BOX\\2002.BOX\\Entry.lst");
  EXPECT_EQ(MailPath("Account1", "WORK.BOX\\2002.BOX", "00000001"),
            "Account1\\WORK.BOX\\2002.BOX\\00000001");
  EXPECT_EQ(JoinPath("C:\\ポスト", "*.box"), "C:\\ポスト\\*.box");
}

TEST(WildcardTest, MatchesWholeCharactersIgnoringAsciiCase) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"account表", "Account*", true},
      {"MyAccount", "Account*", false},
      {"inbox.Box", "*.box", true},
      {"ﾎﾟｽﾄ.BOX", "*.box", true},
      {"a.boxes", "*.box", false},
      {"a.b.box", "*.box", true},
      // ア is 0x83 0x41: its trail byte is no letter "a" and no single "?".
      {"ア", "*a", false},
      {"ア", "?", true},
      {"表", "??", false},
      {"", "*", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
  }
}

}  // namespace
