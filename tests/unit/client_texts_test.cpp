#include <gtest/gtest.h>

#include "bridge/client_caption.h"
#include "bridge/client_commands.h"

namespace {

TEST(ClientCaption, MainWindowTest) {
  const struct {
    const char* caption;
    bool hasView;
    bool passes;
  } cases[] = {
      {"Corvid", true, true},
      {"Corvid", false, false},
      {"[表示] 郵便受け - Corvid", false, true},
      {"x - Corvid", false, true},
      {"x- Corvid", false, true},
      {"- Corvid", true, false},  // must be longer than the suffix
      {"Corvid - Corvid", false, true},
      {"[仕事] Corvid", true, false},
      {"corvid", true, false},
      {"[a] - corvid", false, false},
      {"", true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsClientCaption(c.caption, c.hasView), c.passes) << c.caption << " " << c.hasView;
  }
}

TEST(ClientCaption, AccountTitleBetweenBrackets) {
  const struct {
    const char* caption;
    const char* account;
  } cases[] = {
      {"[ソフト] 郵便受け - Corvid", "ソフト"},
      {"[[能力]] x - Corvid", "能力"},
      {"[ポスト|ｱｶｳﾝﾄ] - Corvid", "ポスト|ｱｶｳﾝﾄ"},
      {"[] x - Corvid", ""},
      {"Corvid", ""},
      {" [仕事] - Corvid", ""},
      {"[unclosed - Corvid", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AccountInCaption(c.caption), c.account) << c.caption;
  }
  // ゾ is 0x83 0x5D: its trail byte is "]" and must not close the title.
  EXPECT_EQ(AccountInCaption("[ゾーン] 郵便受け - Corvid"), "ゾーン");
}

TEST(ClientCommands, MarkAndMoveTexts) {
  std::string command;
  ASSERT_TRUE(MarkMailCommand("Account1\\表示.box\\00000001", -1056964608, 1, command));
  EXPECT_EQ(command, "MarkMail(Account1\\表示.box\\00000001,-1056964608,1)");
  ASSERT_TRUE(MarkMailCommand("Account1\\Inbox.box\\a", 7, 0, command));
  EXPECT_EQ(command, "MarkMail(Account1\\Inbox.box\\a,7,0)");
  // Only the flag's low 16 bits go out.
  ASSERT_TRUE(MarkMailCommand("A\\b", 3, 0x10001, command));
  EXPECT_EQ(command, "MarkMail(A\\b,3,1)");
  ASSERT_TRUE(MoveMailCommand("Account2\\ソフト.box\\00000002", "Account2\\Outbox.box", command));
  EXPECT_EQ(command, "MoveMail(Account2\\ソフト.box\\00000002,Account2\\Outbox.box)");
}

TEST(ClientCommands, ArgumentsThatCouldBreakACommandAreRefused) {
  const struct {
    std::string text;
    bool safe;
  } cases[] = {
      {"Account1\\Inbox.box\\00000001", true},
      {"Account1\\ポスト.box\\ｶﾀｶﾅ", true},
      {"Account1\\能力.box\\表示", true},
      {"", false},
      {"a,b", false},
      {"a(b", false},
      {"a)b", false},
      {"a\tb", false},
      {"a\nb", false},
      {std::string("a\x7F"), false},
      {std::string("a\x95"), false},      // lone lead byte at the end
      {std::string("a\x95,b"), false},    // a lead byte that would swallow ","
      {std::string("a\x95\x29"), false},  // ... or ")"
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSafeCommandArgument(c.text), c.safe) << c.text;
  }
  std::string command = "untouched";
  EXPECT_FALSE(MarkMailCommand("a,b", 7, 1, command));
  EXPECT_FALSE(MoveMailCommand("Account1\\Inbox.box\\1", "Account2\\Out(box", command));
  EXPECT_FALSE(MoveMailCommand("Account1\\Inbox.box\\1)", "Account2\\Outbox.box", command));
  EXPECT_EQ(command, "untouched");
}

TEST(ClientCommands, LaunchLine) {
  const struct {
    const char* program;
    const char* root;
    const char* line;
  } cases[] = {
      {"", "C:\\Mail", "corvid.exe C:\\Mail "},
      {"C:\\Corvid\\corvid.exe", "D:\\表示", "C:\\Corvid\\corvid.exe D:\\表示 "},
      {"C:\\Program Files\\Corvid\\corvid.exe", "C:\\Mail",
       "\"C:\\Program Files\\Corvid\\corvid.exe\" C:\\Mail "},
      {"\"C:\\Program Files\\corvid.exe\"", "C:\\Mail", "\"C:\\Program Files\\corvid.exe\" C:\\Mail "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LaunchCommandLine(c.program, c.root, ""), c.line) << c.program;
  }
  // A long line is built whole, never cut at a fixed size.
  const std::string root = "C:\\" + std::string(2000, 'x');
  EXPECT_EQ(LaunchCommandLine("corvid.exe", root, "").size(), 10 + 1 + root.size() + 1);
}

}  // namespace
