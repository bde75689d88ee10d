// What the bridge reads off the client (its caption, its account menu) and
// the command texts it sends.
#include <gtest/gtest.h>

#include "bridge/account_menu.h"
#include "bridge/client_caption.h"
#include "bridge/client_commands.h"
#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "support/scratch_directory.h"

namespace {

TEST(ClientCaption, TheMainWindowAndTheAccountItShows) {
  const struct {
    const char* caption;
    bool hasView;
    bool isClient;
    const char* account;
  } cases[] = {
      {"Corvid", true, true, ""},
      {"Corvid", false, false, ""},
      {"[ソフト] 郵便受け - Corvid", false, true, "ソフト"},
      {"[[能力]] x - Corvid", false, true, "能力"},
      {"[ポスト|ｱｶｳﾝﾄ] - Corvid", false, true, "ポスト|ｱｶｳﾝﾄ"},
      {"[ゾーン] x - Corvid", false, true, "ゾーン"},  // ゾ's trail byte is "]"
      {"- Corvid", true, false, ""},
      {"[a] - corvid", false, false, "a"},
      {" [仕事] - Corvid", false, true, ""},
      {"[unclosed - Corvid", false, true, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsClientCaption(c.caption, c.hasView), c.isClient) << c.caption;
    EXPECT_EQ(AccountInCaption(c.caption), c.account) << c.caption;
  }
}

TEST(ClientCommands, ArgumentsThatCouldBreakACommandAreRefused) {
  const struct {
    std::string text;
    bool safe;
  } cases[] = {
      {"Account1\\ポスト.box\\ｶﾀｶﾅ", true}, {"Account1\\能力 表示.box\\1", true},
      {"", false},       {"a,b", false},       {"a(b", false},  {"a)b", false},
      {"a\tb", false},   {"a\x7F", false},     {"a\x95", false}, {"a\x95,b", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSafeCommandArgument(c.text), c.safe) << c.text;
  }
  std::string command = "untouched";
  EXPECT_FALSE(MoveMailCommand("Account1\\Inbox.box\\1", "Account2\\Out(box", command));
  EXPECT_FALSE(MarkMailCommand("a,b", 7, 1, command));
  EXPECT_EQ(command, "untouched");
  ASSERT_TRUE(MarkMailCommand("Account1\\表示.box\\1", -1056964608, 0x10001, command));
  EXPECT_EQ(command, "MarkMail(Account1\\表示.box\\1,-1056964608,1)");
  ASSERT_TRUE(MoveMailCommand("A\\ソフト.box\\2", "A\\Outbox.box", command));
  EXPECT_EQ(command, "MoveMail(A\\ソフト.box\\2,A\\Outbox.box)");
}

TEST(ClientCommands, LaunchLineQuotesAProgramWithBlanksOnce) {
  EXPECT_EQ(LaunchCommandLine("", "C:\\Mail", ""), "corvid.exe C:\\Mail ");
  EXPECT_EQ(LaunchCommandLine("C:\\Program Files\\corvid.exe", "D:\\表示", "/x"),
            "\"C:\\Program Files\\corvid.exe\" D:\\表示 /x");
  EXPECT_EQ(LaunchCommandLine("\"C:\\P Q\\c.exe\"", "C:\\M", ""), "\"C:\\P Q\\c.exe\" C:\\M ");
}

TEST(AccountMenu, CommandIdFollowsTheClientsNumbering) {
  // Sorted by directory; the shown account takes 11000, every other one an
  // id for itself and one per folder.
  const std::vector<ClientAccount> accounts = {
      {"Account1", "表示", 3}, {"Account2", "ソフト", 5}, {"Account3", "ポスト", 2}};
  const std::vector<ClientAccount> huge = {{"Account1", "a", 65534 - 11000}, {"Account2", "b", 0}};
  const struct {
    const std::vector<ClientAccount>& list;
    const char* shown;
    const char* wanted;
    int id;
  } cases[] = {
      {accounts, "ソフト", "ポスト", 11000 + 1 + 5 + 1 + 3},
      {accounts, "ソフト", "表示", 11000 + 1 + 5},
      {accounts, "表示", "ソフト", 11000 + 1 + 3},
      {accounts, "ポスト", "ソフト", 11000 + 1 + 2 + 1 + 3},
      {accounts, "ソフト", "ソフト", 11000},
      {accounts, "ソフト", "ﾎﾟｽﾄ", 0},  // titles compare exactly
      {accounts, "能力", "ポスト", 0},   // the shown account unknown: no guess
      {huge, "a", "b", 65535},           // the last id a command carries
      {huge, "b", "a", 11001},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AccountCommandId(c.list, c.shown, c.wanted), c.id) << c.shown << " -> " << c.wanted;
  }
  const std::vector<ClientAccount> over = {{"Account1", "a", 65535 - 11000}, {"Account2", "b", 0}};
  EXPECT_EQ(AccountCommandId(over, "a", "b"), 0);
}

TEST(AccountMenu, AccountsOfTheReportedMailboxSortedByDirectory) {
  ScratchDirectory scratch;
  sample::DataDirectoryBuilder data(scratch.Path());
  // Account10 sorts before Account2 byte by byte.
  ASSERT_TRUE(data.AddAccount("Account2", "ソフト", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX", "仕事", "1"));
  ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX\\表示.BOX", "表示", ""));
  ASSERT_TRUE(data.AddAccount("Account10", "ポスト", 0, ""));
  ASSERT_TRUE(data.AddBareAccount("Account1"));

  const std::string mailbox = MailboxDirectory(scratch.Path());
  for (const std::string& reported : {mailbox, mailbox.substr(0, mailbox.size() - 1)}) {
    const std::vector<ClientAccount> accounts = ReadClientAccounts(reported);
    ASSERT_EQ(accounts.size(), 3u) << reported;
    EXPECT_EQ(accounts[0].directory + accounts[0].title, "Account1");
    EXPECT_EQ(accounts[1].directory + accounts[1].title, "Account10ポスト");
    EXPECT_EQ(accounts[2].folderCount, 2);
  }
  // Only a "mailbox" directory holds accounts, not another one beside it.
  EXPECT_TRUE(ReadClientAccounts(JoinPath(scratch.Path(), "postbox")).empty());
  EXPECT_TRUE(ReadClientAccounts("mailbox\\").empty());
}

}  // namespace
