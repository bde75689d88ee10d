#include "bridge/account_menu.h"

#include <gtest/gtest.h>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "support/scratch_directory.h"

namespace {

TEST(AccountMenu, CommandIdFollowsTheClientsNumbering) {
  // Sorted by directory: Account1 (3 folders), Account2 (5), Account3 (2).
  const std::vector<ClientAccount> accounts = {
      {"Account1", "表示", 3}, {"Account2", "ソフト", 5}, {"Account3", "ポスト", 2}};
  const struct {
    const char* shown;
    const char* wanted;
    int id;
  } cases[] = {
      {"ソフト", "ポスト", 11000 + 1 + 5 + 1 + 3},  // the shown account first, then 1 and 3
      {"ソフト", "表示", 11000 + 1 + 5},
      {"ソフト", "ソフト", 11000},
      {"表示", "ソフト", 11000 + 1 + 3},
      {"表示", "ポスト", 11000 + 1 + 3 + 1 + 5},
      {"ポスト", "表示", 11000 + 1 + 2},
      {"ポスト", "ソフト", 11000 + 1 + 2 + 1 + 3},
      {"ソフト", "能力", 0},    // not an account of the client
      {"ソフト", "ﾎﾟｽﾄ", 0},    // titles compare exactly
      {"能力", "ポスト", 0},    // the shown account is unknown: no guess
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AccountCommandId(accounts, c.shown, c.wanted), c.id) << c.shown << " -> " << c.wanted;
  }
  EXPECT_EQ(AccountCommandId({}, "表示", "表示"), 11000);
  EXPECT_EQ(AccountCommandId({}, "表示", "ソフト"), 0);
}

TEST(AccountMenu, AnIdBeyondWhatACommandCarriesIsNotSent) {
  const std::vector<ClientAccount> accounts = {{"Account1", "a", 60000}, {"Account2", "b", 0}};
  EXPECT_EQ(AccountCommandId(accounts, "b", "a"), 11001);
  EXPECT_EQ(AccountCommandId(accounts, "a", "b"), 0);
}

TEST(AccountMenu, AccountsOfTheReportedMailboxSortedByDirectory) {
  ScratchDirectory scratch;
  ASSERT_FALSE(scratch.Path().empty());
  sample::DataDirectoryBuilder data(scratch.Path());
  // Made out of order; Account10 sorts before Account2 byte by byte.
  ASSERT_TRUE(data.AddAccount("Account2", "ソフト", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account2", "Inbox.box", "", ""));
  ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX", "仕事", "1"));
  ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX\\表示.BOX", "表示", ""));
  ASSERT_TRUE(data.AddAccount("Account10", "ポスト", 0, ""));
  ASSERT_TRUE(data.AddBareAccount("Account1"));
  ASSERT_TRUE(data.AddFolder("Account1", "Inbox.box", "", ""));

  const std::string mailbox = MailboxDirectory(scratch.Path());
  for (const std::string& reported : {mailbox, mailbox.substr(0, mailbox.size() - 1)}) {
    const std::vector<ClientAccount> accounts = ReadClientAccounts(reported);
    ASSERT_EQ(accounts.size(), 3u) << reported;
    EXPECT_EQ(accounts[0].directory, "Account1");
    EXPECT_EQ(accounts[0].title, "");
    EXPECT_EQ(accounts[0].folderCount, 1);
    EXPECT_EQ(accounts[1].directory, "Account10");
    EXPECT_EQ(accounts[1].title, "ポスト");
    EXPECT_EQ(accounts[1].folderCount, 0);
    EXPECT_EQ(accounts[2].directory, "Account2");
    EXPECT_EQ(accounts[2].title, "ソフト");
    EXPECT_EQ(accounts[2].folderCount, 3);
  }
  // Only a data root's "mailbox" directory holds accounts.
  EXPECT_TRUE(ReadClientAccounts(scratch.Path()).empty());
  EXPECT_TRUE(ReadClientAccounts("mailbox\\").empty());
}

}  // namespace
