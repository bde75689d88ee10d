#include "client/mailbox_paths.h"

#include <gtest/gtest.h>

#include "client/wildcard.h"

namespace {

TEST(MailboxPathsTest, RootsGetOneSeparatorWhateverTheirLastCharacter) {
  struct Case {
    const char* root;
    const char* mailbox;
  };
  const Case cases[] = {
      {"D:\\Mail", "D:\\Mail\\mailbox\\"},
      {"D:\\Mail\\", "D:\\Mail\\mailbox\\"},
      // The last byte of each is 0x5C, yet none ends with a separator.
      {"D:\\表", "D:\\表\\mailbox\\"},
      {"D:\\ソ", "D:\\ソ\\mailbox\\"},
      {"C:\\能力\\能", "C:\\能力\\能\\mailbox\\"},
      {"D:\\表\\", "D:\\表\\mailbox\\"},
      {"E:\\ﾒｰﾙ", "E:\\ﾒｰﾙ\\mailbox\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MailboxDirectory(c.root), c.mailbox) << c.root;
  }
}

TEST(MailboxPathsTest, FolderIndexMailAndOutboxPaths) {
  EXPECT_EQ(EntryListPath("D:\\表", "Account1", "WORK.BOX\\2002.BOX"),
            "D:\\表\\mailbox\\Account1\\WORK.BOX\\2002.BOX\\Entry.lst");
  EXPECT_EQ(EntryListPath("D:\\data\\", "Account表", "ソフト.BOX"),
            "D:\\data\\mailbox\\Account表\\ソフト.BOX\\Entry.lst");
  EXPECT_EQ(MailPath("Account1", "WORK.BOX\\2002.BOX", "00000001"),
            "Account1\\WORK.BOX\\2002.BOX\\00000001");
  EXPECT_EQ(OutboxFolder("Account能"), "Account能\\Outbox.box");
  EXPECT_EQ(JoinPath("", "Account1"), "Account1");
  EXPECT_EQ(JoinPath("C:\\ポスト", "*.box"), "C:\\ポスト\\*.box");
}

TEST(WildcardTest, MatchesWholeCharactersIgnoringAsciiCase) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"Account1", "Account*", true},
      {"ACCOUNT", "Account*", true},
      {"account表", "Account*", true},
      {"Accoun", "Account*", false},
      {"MyAccount", "Account*", false},
      {"WORK.BOX", "*.box", true},
      {"inbox.Box", "*.box", true},
      {"表示.box", "*.box", true},
      {"ﾎﾟｽﾄ.BOX", "*.box", true},
      {".box", "*.box", true},
      {"a.boxes", "*.box", false},
      {"a.box.old", "*.box", false},
      {"box", "*.box", false},
      {"a.b.box", "*.box", true},
      // ア is 0x83 0x41: its trail byte is no letter "a" and no single "?".
      {"ア", "*a", false},
      {"ア", "?", true},
      {"表", "??", false},
      {"表x", "?X", true},
      {"", "*", true},
      {"", "?", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
  }
}

}  // namespace
