// What the program shows: the tray icon's menu in each state, the clock's
// next run, and the captions and tips of its commands.
#include <gtest/gtest.h>

#include <tuple>

#include "app/clock_texts.h"
#include "app/command_text.h"
#include "app/tray_menu.h"
#include "res/resource.h"

namespace {

using Item = std::tuple<int, int, bool>;  // command (0: a separator), text, second half

TEST(TrayMenu, AnOpenSheetHidesSettingsAndExitAndTheTimerItemFollowsTheSchedule) {
  const Item show{ID_SHOW_MAIN, IDS_SHOW_MAIN, false}, settings{ID_SETTINGS, ID_SETTINGS, true},
      fetch{ID_FETCH, ID_FETCH, true}, start{ID_TIMER_START, ID_TIMER_START, true},
      stop{ID_TIMER_STOP, ID_TIMER_STOP, true}, exit{kCancelCommand, IDS_EXIT, true},
      history{IDM_HISTORY, IDS_HISTORY, false}, pending{IDM_PENDING, IDS_PENDING, false}, about{IDM_ABOUTBOX, IDS_ABOUTBOX, false}, line{0, 0, false};
  for (const auto& [armed, open, expected] : std::vector<std::tuple<bool, bool, std::vector<Item>>>{
           {false, false, {show, settings, line, fetch, line, start, line, exit, line, history, pending, about}},
           {true, false, {show, settings, line, fetch, line, stop, line, exit, line, history, pending, about}},
           {true, true, {show, line, fetch, line, stop, line, history, pending, about}}}) {
    std::vector<Item> items;
    for (const TrayMenuItem& item : TrayMenuItems({armed, open})) {
      items.emplace_back(item.command, item.textId, item.secondHalf);
    }
    EXPECT_EQ(items, expected) << armed << open;
  }
  // A double-click never asks for a second settings sheet either.
  for (const auto& [setting, open, command] : std::vector<std::tuple<int, bool, int>>{
           {0, true, ID_SHOW_MAIN}, {1, false, ID_SETTINGS}, {1, true, 0}, {2, true, ID_FETCH}, {3, false, 0}}) {
    EXPECT_EQ(TrayDoubleClickCommand(setting, open), command) << setting << open;
  }
}

TEST(CommandText, CaptionAfterTheFirstBreakAndTipsNeverEndInHalfACharacter) {
  EXPECT_EQ(CommandCaption("表示ソフト能力\nポスト") + CommandCaption("設定"), "ポスト");
  std::string kanji;
  for (int i = 0; i < 40; ++i) kanji += "表";
  EXPECT_EQ(TooltipText(kanji), kanji.substr(0, 78));
  EXPECT_EQ(TooltipText("x" + kanji), "x" + kanji.substr(0, 78));
}

TEST(ClockTexts, TheNextRunShowsOnlyWhileArmedAndKnown) {
  EXPECT_EQ(ClockTimeText(LocalTime{7, 5, 0, 5}), "07:05");
  for (const auto& [armed, weekday, shown] : std::vector<std::tuple<bool, int, const char*>>{
           {true, 6, " 7:05 Sat"}, {true, 0, " 7:05 Sun"}, {true, 7, " 7:05 ---"},
           {false, 5, "--:-- ---"}, {true, -1, "--:-- ---"}}) {
    const NextRunTexts texts = MakeNextRunTexts(armed, weekday, 7, 5);
    EXPECT_EQ(texts.time + " " + texts.weekday, shown) << weekday;
  }
}

}  // namespace
