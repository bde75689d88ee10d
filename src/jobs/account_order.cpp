#include "jobs/account_order.h"

std::vector<std::string> OrderByDialUpEntry(
    std::vector<std::string> accounts,
    const std::function<const CAccountJob*(const std::string&)>& lookup) {
  std::vector<std::string> ordered;
  // Accounts that do not dial, walked from the last one, so they arrive reversed.
  for (std::size_t i = accounts.size(); i-- > 0;) {
    const CAccountJob* record = lookup(accounts[i]);
    if (record != nullptr && record->useDialUp == 0) {
      ordered.push_back(accounts[i]);
      accounts.erase(accounts.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  // Each dialling account brings along the later ones of its entry, again
  // walked from the last one. Accounts without a record, which a run passes
  // over, go last.
  std::vector<std::string> unknown;
  while (!accounts.empty()) {
    const CAccountJob* first = lookup(accounts.front());
    if (first == nullptr) {
      unknown.push_back(accounts.front());
      accounts.erase(accounts.begin());
      continue;
    }
    const std::string entry = first->dialUpEntry;
    ordered.push_back(accounts.front());
    accounts.erase(accounts.begin());
    for (std::size_t i = accounts.size(); i-- > 0;) {
      const CAccountJob* record = lookup(accounts[i]);
      if (record != nullptr && record->dialUpEntry == entry) {
        ordered.push_back(accounts[i]);
        accounts.erase(accounts.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
  ordered.insert(ordered.end(), unknown.begin(), unknown.end());
  return ordered;
}
