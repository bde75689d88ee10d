// Text helpers on cp932 bytes. 表, ソ and 能 end in 0x5C ("\"), ポ in 0x7C
// ("|"), ア (0x83 0x41) and ヂ (0x83 0x61) differ only in a letter-like byte.
#include <gtest/gtest.h>

#include "app/clock_texts.h"
#include "app/command_text.h"
#include "data_dir/mailbox_paths.h"
#include "data_dir/wildcard.h"
#include "settings_ui/data_root.h"
#include "text/cp932.h"
#include "text/number_text.h"

namespace {

TEST(Cp932, SeparatorsAndSuffixesStartOnACharacterBoundary) {
  EXPECT_EQ(cp932::Find("表示\\ポスト", '\\'), 4u);
  EXPECT_EQ(cp932::Find("ポスト|x", '|'), 6u);
  EXPECT_EQ(cp932::FindLast("C:\\bin\\表", '\\'), 6u);
  EXPECT_EQ(cp932::Split("WORK.BOX\\表示.BOX\\ソフト", '\\'),
            (std::vector<std::string>{"WORK.BOX", "表示.BOX", "ソフト"}));
  EXPECT_FALSE(cp932::EndsWithChar(std::string("ab") + '\x95', '\\'));  // a lone lead byte
  EXPECT_FALSE(cp932::EndsWith("表", "\\"));
  EXPECT_TRUE(cp932::EndsWith("[仕事] 受信 - Corvid", "- Corvid"));
  EXPECT_EQ(cp932::FoldAscii("INBOX.Box ア"), "inbox.box ア");
  EXPECT_FALSE(cp932::EqualsIgnoreAsciiCase("ア", "ヂ"));
  EXPECT_EQ(cp932::Truncate("aｱ表示", 3), "aｱ");
  EXPECT_EQ(cp932::Truncate("表示", 4), "表示");
}

TEST(Paths, BuiltOnFoldersWhoseLastByteIs0x5C) {
  EXPECT_EQ(MailboxDirectory("D:\\表"), "D:\\表\\mailbox\\");
  EXPECT_EQ(MailboxDirectory("D:\\Mail\\"), "D:\\Mail\\mailbox\\");
  EXPECT_EQ(EntryListPath("D:\\表", "Account1", "WORK.BOX\\2002.BOX"),
            "D:\\表\\mailbox\\Account1\\WORK.BOX\\2002.BOX\\Entry.lst");
  EXPECT_EQ(MailBoxTestPath("C:\\ソ"), "C:\\ソ\\MailBox");
  EXPECT_EQ(MailBoxTestPath("C:\\"), "C:\\MailBox");
}

TEST(Paths, TheSameDataRootIgnoresAsciiCaseAndATrailingBackslashOnly) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"C:\\Corvid", "c:\\CORVID\\", true},     {"\\\\srv\\ポスト", "\\\\SRV\\ポスト\\", true},
      {"D:\\能", "D:\\能\\", true},             {"D:\\能", "D:\\\x94", false},
      {"C:\\ア", "C:\\ヂ", false},              {"C:\\Corvid", "C:\\Corvid2", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSameFolder(c.a, c.b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(IsSameFolder(c.b, c.a), c.same) << c.b << " " << c.a;
  }
}

TEST(Paths, WildcardsMatchWholeCharactersIgnoringAsciiCase) {
  const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      {"account表", "Account*", true}, {"MyAccount", "Account*", false}, {"ﾎﾟｽﾄ.BOX", "*.box", true},
      {"a.boxes", "*.box", false},     {"a.b.box", "*.box", true},       {"ア", "*a", false},
      {"ア", "?", true},               {"表", "??", false},              {"", "**", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
  }
}

TEST(NumberText, OnlyDigitsWithBlanksAroundWithinThirtyTwoBits) {
  const struct {
    const char* text;
    bool ok;
    std::uint32_t value;
  } cases[] = {
      {" 60 ", true, 60},  {"\t007", true, 7},  {"4294967295", true, 4294967295u},
      {"", false, 42},     {" ", false, 42},    {"-1", false, 42},
      {"1 5", false, 42},  {"１５", false, 42}, {"4294967296", false, 42},
  };
  for (const auto& c : cases) {
    std::uint32_t value = 42;
    EXPECT_EQ(ParseUnsigned(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(CommandText, CaptionAfterTheFirstBreakAndTipsNeverEndInHalfACharacter) {
  EXPECT_EQ(CommandCaption("表示ソフト能力\nポスト"), "ポスト");
  EXPECT_EQ(CommandCaption("設定"), "");
  std::string kanji;
  for (int i = 0; i < 40; ++i) {
    kanji += "表";
  }
  EXPECT_EQ(TooltipText(kanji), kanji.substr(0, 78));
  EXPECT_EQ(TooltipText("x" + kanji), "x" + kanji.substr(0, 78));
  EXPECT_EQ(TooltipText(std::string(100, 'x')), std::string(79, 'x'));
}

TEST(ClockTexts, TheNextRunShowsOnlyWhileArmedAndKnown) {
  EXPECT_EQ(ClockTimeText(LocalTime{7, 5, 0, 5}), "07:05");
  const struct {
    bool armed;
    int weekday;
    const char* time;
    const char* day;
  } cases[] = {{true, 5, " 7:05", "Fri"}, {true, 0, " 7:05", "Sun"}, {true, 7, " 7:05", "---"},
               {false, 5, "--:--", "---"}, {true, -1, "--:--", "---"}};
  for (const auto& c : cases) {
    const NextRunTexts texts = MakeNextRunTexts(c.armed, c.weekday, 7, 5);
    EXPECT_EQ(texts.time, c.time) << c.weekday;
    EXPECT_EQ(texts.weekday, c.day) << c.weekday;
  }
}

}  // namespace
