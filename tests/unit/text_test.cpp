// Text helpers on cp932 bytes and the paths built with them. 表, ソ and 能 end
// in 0x5C ("\"), ポ in 0x7C ("|"); ア (83 41) and ヂ (83 61) differ in a letter's case.
#include <gtest/gtest.h>

#include <tuple>

#include "data_dir/wildcard.h"
#include "settings_ui/data_root.h"
#include "text/cp932.h"
#include "text/mail_subject.h"
#include "text/number_text.h"

namespace {

TEST(Cp932, ASuffixOrASeparatorStartsOnACharacterBoundary) {
  EXPECT_FALSE(cp932::EndsWith("表", "\\") || cp932::EndsWithChar(std::string("ab") + '\x95', '\\'));
  EXPECT_EQ(cp932::Split("WORK.BOX\\表示.BOX\\ソ", '\\'), (std::vector<std::string>{"WORK.BOX", "表示.BOX", "ソ"}));
  EXPECT_EQ(cp932::FindLast("C:\\bin\\表", '\\'), 6u);
}

TEST(Cp932, FoldersAndWildcardsCompareWholeCharactersIgnoringAsciiCaseOnly) {
  for (const auto& [a, b, same] : std::vector<std::tuple<const char*, const char*, bool>>{
           {"C:\\Corvid", "c:\\CORVID\\", true}, {"\\\\srv\\ポスト", "\\\\SRV\\ポスト\\", true},
           {"D:\\能", "D:\\能\\", true}, {"D:\\能", "D:\\\x94", false}, {"C:\\ア", "C:\\ヂ", false},
           {"C:\\Corvid", "C:\\Corvid2", false}}) {
    EXPECT_EQ(IsSameFolder(a, b), same) << a << " " << b;
    EXPECT_EQ(IsSameFolder(b, a), same) << b << " " << a;
  }
  EXPECT_EQ(MailBoxTestPath("C:\\ソ"), "C:\\ソ\\MailBox");
  EXPECT_EQ(MailBoxTestPath("C:\\"), "C:\\MailBox");
  for (const auto& [name, pattern, matches] : std::vector<std::tuple<const char*, const char*, bool>>{
           {"account表", "Account*", true}, {"MyAccount", "Account*", false}, {"ﾎﾟｽﾄ.BOX", "*.box", true},
           {"a.boxes", "*.box", false}, {"a.b.box", "*.box", true}, {"ア", "*a", false},
           {"ア", "?", true}, {"表", "??", false}, {"", "**", true}}) {
    EXPECT_EQ(MatchesWildcard(name, pattern), matches) << name << " " << pattern;
  }
}

TEST(NumberText, OnlyDigitsWithBlanksAroundWithinThirtyTwoBits) {
  for (const auto& [text, ok, expected] : std::vector<std::tuple<const char*, bool, std::uint32_t>>{
           {" 60 ", true, 60}, {"\t007", true, 7}, {"4294967295", true, 4294967295u}, {"", false, 42},
           {"-1", false, 42}, {"1 5", false, 42}, {"１５", false, 42}, {"4294967296", false, 42}}) {
    std::uint32_t value = 42;
    EXPECT_EQ(ParseUnsigned(text, value), ok) << text;
    EXPECT_EQ(value, expected) << text;
  }
}

TEST(MailSubject, EncodedWordsAndRawIso2022JpBecomeCp932AndOtherCharsetsNothing) {
  // 円 and 園 end the rows of JIS X 0208 at 0x5F and 0x60, 沺 and 漾 are the last of one Shift_JIS lead
  // byte and the first of the next; ｡ and ﾟ are the first and last half-width kana.
  for (const auto& [header, subject] : std::vector<std::pair<std::string, std::string>>{
           {"Subject: \x1B$B1_1`^!_!\x1B(B ok", "円園沺漾 ok"},
           {"Subject: \x1B(I! _`\x1B(B", "｡ ﾟ`"},
           {"subject:\t=?SJIS?Q?=8e=A6?=  =?us-ascii?q?_=30?=\r\nX: y", "示 0"},
           {"Subject: =?Shift_JIS?B?oa+/?=", "｡ｯｿ"},
           {"Subject: Re: =?Shift_JIS?Q?=z1?=", ""},
           {"Subject: Re: =?Shift_JIS?B?o!+/?=", ""},
           {"Subject: Re: =?Shift_JIS?X?oa+/?=", ""},
           {"\tstray\r\n", ""},
           {"Subject: Re: =?UTF-8?B?5LqI57SE?=", ""},
           {"From: abc\r\n\r\nSubject: body", ""}}) {
    EXPECT_EQ(DecodeSubject(header), subject) << header;
  }
}

}  // namespace
