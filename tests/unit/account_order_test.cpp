// The order of a dial-up run's accounts: those that do not dial first, then
// each entry's accounts together, so every entry is dialled once.
#include "jobs/account_order.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(AccountOrder, GroupsTheAccountsByTheirDialUpEntry) {
  using Texts = std::vector<std::string>;
  const struct {
    const char* what;
    Texts accounts;
    std::map<std::string, std::string> entries;  // by account with a record; "": does not dial
    Texts expected;
  } cases[] = {
      {"non-dialling first, reversed; then each entry's accounts",
       {"acc1", "acc2", "acc3", "acc4", "acc5"},
       {{"acc1", ""}, {"acc2", "X"}, {"acc3", ""}, {"acc4", "Y"}, {"acc5", "X"}},
       {"acc3", "acc1", "acc2", "acc5", "acc4"}},
      {"one entry keeps the later ones reversed", {"a", "b", "c"}, {{"a", "X"}, {"b", "X"}, {"c", "X"}}, {"a", "c", "b"}},
      {"accounts without a record last, the grouping going on past them",
       {"ghost", "a", "b", "c"}, {{"a", "X"}, {"b", "Y"}, {"c", "X"}}, {"a", "c", "b", "ghost"}},
  };
  for (const auto& c : cases) {
    std::map<std::string, CAccountJob> records;
    for (const auto& [title, entry] : c.entries) {
      records[title].useDialUp = entry.empty() ? 0 : 1;
      records[title].dialUpEntry = entry;
    }
    const auto lookup = [&records](const std::string& title) -> const CAccountJob* {
      const auto found = records.find(title);
      return found == records.end() ? nullptr : &found->second;
    };
    EXPECT_EQ(OrderByDialUpEntry(c.accounts, lookup), c.expected) << c.what;
  }
}

}  // namespace
