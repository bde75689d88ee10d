// The account block of the client's first menu. The account shown takes
// command 11000; then every other account, in directory-name order, takes one
// id for itself followed by one per folder.
#pragma once

#include <string>
#include <vector>

struct ClientAccount {
  std::string directory;  // "Account*" directory name
  std::string title;      // Account.ini Title
  int folderCount = 0;    // as CountFolders counts the account directory
};

constexpr int kFirstAccountCommand = 11000;

// The accounts of a mailbox directory (ending with "mailbox\"), sorted by
// directory name. Empty when the directory is not a data root's mailbox.
std::vector<ClientAccount> ReadClientAccounts(const std::string& mailboxDir);

// The command that makes the client show wantedTitle while it shows
// shownTitle, given the accounts sorted by directory; 0 when there is none:
// the wanted title is not listed, the shown one is not listed either (the
// numbering would then be a guess), or the id does not fit a menu command.
int AccountCommandId(const std::vector<ClientAccount>& accounts, const std::string& shownTitle,
                     const std::string& wantedTitle);
