// The run history's lines, and its file on real files: kept below its bound,
// with one older file beside it.
#include "history/run_history.h"

#include <gtest/gtest.h>

#include "data_dir/mailbox_paths.h"
#include "support/scratch_directory.h"

namespace {

TEST(RunHistory, ALineKeepsItsFieldsApartAndReadsBack) {
  std::tm at{};
  at.tm_year = 126, at.tm_mon = 11, at.tm_mday = 7, at.tm_hour = 7, at.tm_min = 30, at.tm_sec = 5, at.tm_isdst = -1;
  // 表 and ソ end in "\"; a tab or a line break inside a field is a blank.
  const HistoryLine line = ToHistoryLine({RunEventKind::kHeldMailForwarded, "ソフト\t表", "Account2\\表.box\\1", "Inbox.box"},
                                         std::mktime(&at), "回送\r\n");
  HistoryLine back;
  ASSERT_TRUE(ParseHistoryLine(FormatHistoryLine(line), back));
  EXPECT_EQ(back.time + "|" + back.account + "|" + back.text,
            "2026-12-07 07:30:05|ソフト 表|回送  : Account2\\表.box\\1 → Inbox.box");
  EXPECT_FALSE(back.failure);
  EXPECT_TRUE(ToHistoryLine({RunEventKind::kGivenUp, "仕事"}, 0, "").failure);
  for (const char* other : {"", "2026-12-07 07:30:05\t!\t仕事", "2026-12-07 07:30\t\t仕事\tx", "2026-12-07 07:30:05\tx\t仕事\tx"}) {
    EXPECT_FALSE(ParseHistoryLine(other, back)) << other;
  }
}

TEST(RunHistory, TheFileBecomesTheOlderOneAtItsBoundAndOnlyOneIsKept) {
  ScratchDirectory scratch;
  // 24 bytes a line with its line end: four fill the bound of 96 exactly.
  CHistoryFile file(JoinPath(scratch.Path(), "履歴.txt"), 96);
  std::vector<std::string> lines;
  for (char i = '0'; i <= '9'; ++i) {
    lines.push_back("表" + std::string(20, i));
    EXPECT_TRUE(file.Append(lines.back()));
  }
  EXPECT_EQ(file.ReadLast(100), std::vector<std::string>(lines.begin() + 4, lines.end()));
  EXPECT_EQ(file.ReadLast(2), std::vector<std::string>(lines.end() - 2, lines.end()));
  EXPECT_FALSE(CHistoryFile(JoinPath(scratch.Path(), "無い\\履歴.txt")).Append("x"));
}

}  // namespace
