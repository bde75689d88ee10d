// Command captions: the second half of a command's string, cut for tooltips
// without breaking a double-byte character.
#include <gtest/gtest.h>

#include <string>

#include "app/command_text.h"

namespace {

TEST(CommandText, CaptionIsTheTextAfterTheFirstLineBreak) {
  struct Case {
    std::string resource;
    std::string caption;
  };
  const Case cases[] = {
      {"取り込み\n取り込み", "取り込み"},
      {"ﾀｲﾏｰｽﾀｰﾄ\nﾀｲﾏｰｽﾀｰﾄ", "ﾀｲﾏｰｽﾀｰﾄ"},
      // 表, ソ and 能 end in 0x5C; ポ ends in 0x7C: none of them is a break.
      {"表示ソフト能力\nポスト", "ポスト"},
      {"a\nb\nc", "b\nc"},
      {"設定", ""},
      {"設定\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandCaption(c.resource), c.caption) << c.resource;
  }
}

TEST(CommandText, TooltipsKeepAtMost79BytesAndNeverHalfACharacter) {
  const std::string twoByte = "表";  // 0x95 0x5C
  std::string fortyKanji;
  for (int i = 0; i < 40; ++i) {
    fortyKanji += twoByte;
  }
  struct Case {
    std::string caption;
    std::size_t length;
  };
  const Case cases[] = {
      {"取り込み", 8},
      {std::string(79, 'x'), 79},
      {std::string(100, 'x'), 79},
      // 80 bytes of two-byte characters: the 40th would be cut in two.
      {fortyKanji, 78},
      {"x" + fortyKanji, 79},
      {std::string(78, 'x') + "ｿ" + "x", 79},
  };
  for (const Case& c : cases) {
    const std::string tip = TooltipText(c.caption);
    EXPECT_EQ(tip.size(), c.length) << c.caption;
    EXPECT_EQ(c.caption.compare(0, tip.size(), tip), 0);
  }
}

}  // namespace
