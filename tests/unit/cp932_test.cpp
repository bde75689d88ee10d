#include "text/cp932.h"

#include <gtest/gtest.h>

namespace {

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail byte is a backslash.
// ア is 0x83 0x41 and ャ is 0x83 0x61: their trail bytes are 'A' and 'a'.
// ポ is 0x83 0x7C: its trail byte is '|'.

TEST(Cp932, BackslashAsTrailByteIsNotASeparator) {
  EXPECT_FALSE(cp932::EndsWithChar("C:\\表", '\\'));
  EXPECT_FALSE(cp932::EndsWithChar("ソフト\\能", '\\'));
  EXPECT_TRUE(cp932::EndsWithChar("C:\\表\\", '\\'));
  EXPECT_FALSE(cp932::EndsWithChar("", '\\'));
  EXPECT_EQ(cp932::Find("表示\\ポスト", '\\'), 4u);
  EXPECT_EQ(cp932::Find("ポスト|x", '|'), 6u);
  EXPECT_EQ(cp932::FindLast("C:\\bin\\表", '\\'), 6u);
  EXPECT_EQ(cp932::FindLast("ソフト", '\\'), std::string::npos);

  const std::vector<std::string> parts = cp932::Split("WORK.BOX\\表示.BOX\\ソフト", '\\');
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[1], "表示.BOX");
  EXPECT_EQ(parts[2], "ソフト");
  EXPECT_EQ(cp932::Split("", '\\').size(), 1u);
}

TEST(Cp932, CaseFoldingLeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(cp932::FoldAscii("INBOX.Box"), "inbox.box");
  EXPECT_EQ(cp932::FoldAscii("ア"), "ア");
  EXPECT_TRUE(cp932::EqualsIgnoreAsciiCase("Account表示", "ACCOUNT表示"));
  EXPECT_FALSE(cp932::EqualsIgnoreAsciiCase("ア", "ャ"));
  EXPECT_FALSE(cp932::EqualsIgnoreAsciiCase("ｱ", "ｲ"));
}

TEST(Cp932, SuffixMustStartOnACharacterBoundary) {
  EXPECT_TRUE(cp932::EndsWith("[仕事] 受信 - Corvid", "- Corvid"));
  // The suffix "\x5C" matches the last byte of 表 but is not a character of it.
  EXPECT_FALSE(cp932::EndsWith("表", "\\"));
  EXPECT_FALSE(cp932::EndsWith("Corvid", "- Corvid"));
}

TEST(Cp932, TruncationNeverCutsACharacter) {
  EXPECT_EQ(cp932::Truncate("表示", 3), "表");
  EXPECT_EQ(cp932::Truncate("表示", 4), "表示");
  EXPECT_EQ(cp932::Truncate("aｱ表", 2), "aｱ");
  EXPECT_EQ(cp932::Truncate("a", 0), "");
}

TEST(Cp932, LoneLeadByteAtTheEndCountsAsOneCharacter) {
  const std::string broken = std::string("ab") + '\x95';
  EXPECT_EQ(cp932::CharLength(broken, 2), 1u);
  EXPECT_FALSE(cp932::EndsWithChar(broken, '\\'));
  EXPECT_EQ(cp932::Truncate(broken, 3), broken);
}

}  // namespace
