// Command captions: the second half of a command's string, cut for tooltips
// without breaking a double-byte character.
#include <gtest/gtest.h>

#include <string>

#include "app/command_text.h"

namespace {

TEST(CommandText, CaptionFollowsTheFirstBreakAndTipsNeverEndInHalfACharacter) {
  // 表, ソ and 能 end in 0x5C; ポ ends in 0x7C: none of them is a break.
  EXPECT_EQ(CommandCaption("表示ソフト能力\nポスト"), "ポスト");
  EXPECT_EQ(CommandCaption("a\nb\nc"), "b\nc");
  EXPECT_EQ(CommandCaption("設定"), "");

  std::string kanji;
  for (int i = 0; i < 40; ++i) {
    kanji += "表";
  }
  const struct {
    std::string caption;
    std::size_t length;
  } cases[] = {{"ﾀｲﾏｰｽﾀｰﾄ", 8}, {std::string(100, 'x'), 79}, {kanji, 78}, {"x" + kanji, 79}};
  for (const auto& c : cases) {
    const std::string tip = TooltipText(c.caption);
    EXPECT_EQ(tip.size(), c.length) << c.caption;
    EXPECT_EQ(c.caption.compare(0, tip.size(), tip), 0);
  }
}

}  // namespace
