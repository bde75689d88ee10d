#include "bridge/account_menu.h"

#include <algorithm>

#include "data_dir/data_directory.h"
#include "text/cp932.h"

namespace {

constexpr const char* kMailboxSuffix = "mailbox\\";
// WM_COMMAND carries the id in 16 bits.
constexpr int kLastCommandId = 0xFFFF;

}  // namespace

std::vector<ClientAccount> ReadClientAccounts(const std::string& mailboxDir) {
  std::string dir = mailboxDir;
  if (!cp932::EndsWithChar(dir, '\\')) {
    dir += '\\';
  }
  // The readers take the data root, the directory that holds "mailbox".
  const std::string suffix = kMailboxSuffix;
  if (dir.size() <= suffix.size() ||
      !cp932::EndsWith(cp932::FoldAscii(dir), suffix)) {
    return {};
  }
  const std::string dataRoot = dir.substr(0, dir.size() - suffix.size());

  const AccountScan scan = ListAccounts(dataRoot);
  std::vector<ClientAccount> accounts;
  for (std::size_t i = 0; i < scan.directories.size() && i < scan.titles.size(); ++i) {
    ClientAccount account;
    account.directory = scan.directories[i];
    account.title = scan.titles[i];
    account.folderCount = CountFolders(dir + account.directory);
    accounts.push_back(std::move(account));
  }
  std::sort(accounts.begin(), accounts.end(),
            [](const ClientAccount& a, const ClientAccount& b) { return a.directory < b.directory; });
  return accounts;
}

int AccountCommandId(const std::vector<ClientAccount>& accounts, const std::string& shownTitle,
                     const std::string& wantedTitle) {
  if (wantedTitle == shownTitle) {
    return kFirstAccountCommand;
  }
  const auto shown = std::find_if(accounts.begin(), accounts.end(),
                                  [&](const ClientAccount& a) { return a.title == shownTitle; });
  if (shown == accounts.end()) {
    return 0;
  }
  long long id = kFirstAccountCommand + 1LL + shown->folderCount;
  for (auto it = accounts.begin(); it != accounts.end(); ++it) {
    if (it == shown) {
      continue;
    }
    if (it->title == wantedTitle) {
      return id <= kLastCommandId ? static_cast<int>(id) : 0;
    }
    id += it->folderCount + 1LL;
  }
  return 0;
}
