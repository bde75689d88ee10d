// What the bridge reads off the client (its caption, its account menu) and
// the command texts it sends.
#include <gtest/gtest.h>

#include <tuple>

#include "bridge/account_menu.h"
#include "bridge/client_caption.h"
#include "bridge/client_commands.h"
#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "support/scratch_directory.h"

namespace {

TEST(ClientCaption, TheMainWindowAndTheAccountItShows) {
  for (const auto& [caption, hasView, isClient, account] :
       std::vector<std::tuple<const char*, bool, bool, const char*>>{
           {"Corvid", true, true, ""}, {"Corvid", false, false, ""},
           {"[ソフト] 郵便受け - Corvid", false, true, "ソフト"}, {"[[能力]] x - Corvid", false, true, "能力"},
           {"[ポスト|ｱｶｳﾝﾄ] - Corvid", false, true, "ポスト|ｱｶｳﾝﾄ"},
           {"[ゾーン] x - Corvid", false, true, "ゾーン"},  // ゾ's trail byte is "]"
           {"- Corvid", true, false, ""}, {"[a] - corvid", false, false, "a"},
           {" [仕事] - Corvid", false, true, ""}, {"[unclosed - Corvid", false, true, ""}}) {
    EXPECT_EQ(IsClientCaption(caption, hasView), isClient) << caption;
    EXPECT_EQ(AccountInCaption(caption), account) << caption;
  }
}

TEST(ClientCommands, ArgumentsThatCouldBreakACommandAreRefused) {
  for (const auto& [text, safe] : std::vector<std::pair<std::string, bool>>{
           {"Account1\\ポスト.box\\ｶﾀｶﾅ", true}, {"Account1\\能力 表示.box\\1", true}, {"", false},
           {"a,b", false}, {"a(b", false}, {"a)b", false}, {"a\tb", false}, {"a\x7F", false},
           {"a\x95", false}, {"a\x95,b", false}}) {
    EXPECT_EQ(IsSafeCommandArgument(text), safe) << text;
  }
  std::string mark = "untouched", move = "untouched";
  EXPECT_FALSE(MoveMailCommand("Account1\\Inbox.box\\1", "Account2\\Out(box", move) ||
               MarkMailCommand("a,b", 7, 1, mark));
  EXPECT_EQ(mark + move, "untoucheduntouched");
  EXPECT_TRUE(MarkMailCommand("Account1\\表示.box\\1", -1056964608, 0x10001, mark) &&  // the flag's low 16 bits
              MoveMailCommand("A\\ソフト.box\\2", "A\\Outbox.box", move));
  EXPECT_EQ(mark + move, "MarkMail(Account1\\表示.box\\1,-1056964608,1)MoveMail(A\\ソフト.box\\2,A\\Outbox.box)");
  EXPECT_EQ(LaunchCommandLine("", "C:\\Mail", ""), "corvid.exe C:\\Mail ");
  EXPECT_EQ(LaunchCommandLine("C:\\P Q\\corvid.exe", "D:\\表示", "/x"), "\"C:\\P Q\\corvid.exe\" D:\\表示 /x");
  EXPECT_EQ(LaunchCommandLine("\"C:\\P Q\\c.exe\"", "C:\\M", ""), "\"C:\\P Q\\c.exe\" C:\\M ");
}

TEST(AccountMenu, CommandIdFollowsTheClientsNumbering) {
  // Sorted by directory; the shown account takes 11000, every other one an
  // id for itself and one per folder, up to the last id a command carries.
  const std::vector<ClientAccount> three = {{"A1", "表示", 3}, {"A2", "ソフト", 5}, {"A3", "ポスト", 2}};
  const std::vector<ClientAccount> fits = {{"A1", "a", 65534 - 11000}, {"A2", "b", 0}};
  const std::vector<ClientAccount> over = {{"A1", "a", 65535 - 11000}, {"A2", "b", 0}};
  for (const auto& [accounts, shown, wanted, id] :
       std::vector<std::tuple<std::vector<ClientAccount>, const char*, const char*, int>>{
           {three, "ソフト", "ポスト", 11000 + 1 + 5 + 1 + 3}, {three, "ソフト", "表示", 11000 + 1 + 5},
           {three, "ポスト", "ソフト", 11000 + 1 + 2 + 1 + 3}, {three, "ソフト", "ソフト", 11000},
           {three, "ソフト", "ﾎﾟｽﾄ", 0}, {three, "能力", "ポスト", 0},  // no guess for an unknown one
           {fits, "a", "b", 65535}, {fits, "b", "a", 11001}, {over, "a", "b", 0}}) {
    EXPECT_EQ(AccountCommandId(accounts, shown, wanted), id) << shown << " -> " << wanted;
  }
}

TEST(AccountMenu, AccountsOfTheReportedMailboxSortedByDirectory) {
  ScratchDirectory scratch;
  sample::DataDirectoryBuilder data(scratch.Path());
  ASSERT_TRUE(data.AddAccount("Account2", "ソフト", 0, "") && data.AddFolder("Account2", "WORK.BOX", "仕事", "1") &&
              data.AddFolder("Account2", "WORK.BOX\\表示.BOX", "表示", "") && data.AddAccount("Account10", "ポスト", 0, "") &&
              data.AddBareAccount("Account1"));
  const std::string mailbox = MailboxDirectory(scratch.Path());
  for (const std::string& reported : {mailbox, mailbox.substr(0, mailbox.size() - 1)}) {
    const std::vector<ClientAccount> accounts = ReadClientAccounts(reported);
    ASSERT_EQ(accounts.size(), 3u) << reported;
    EXPECT_EQ(accounts[0].directory + " " + accounts[1].directory + accounts[1].title, "Account1 Account10ポスト");
    EXPECT_EQ(accounts[2].folderCount, 2);
  }
  // Only a "mailbox" directory holds accounts, not another one beside it.
  EXPECT_TRUE(ReadClientAccounts(JoinPath(scratch.Path(), "postbox")).empty());
}

}  // namespace
