#include "jobs/account_order.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct OrderCase {
  const char* what;
  std::vector<std::string> accounts;
  std::map<std::string, std::string> dialEntries;  // account -> entry ("" = does not dial)
  std::vector<std::string> expected;
};

class AccountOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(AccountOrderTest, GroupsByEntry) {
  const OrderCase& c = GetParam();
  std::map<std::string, CAccountJob> records;
  for (const auto& [title, entry] : c.dialEntries) {
    CAccountJob& record = records[title];
    record.title = title;
    record.useDialUp = entry.empty() ? 0 : 1;
    record.dialUpEntry = entry;
  }
  const auto lookup = [&records](const std::string& title) -> const CAccountJob* {
    const auto found = records.find(title);
    return found == records.end() ? nullptr : &found->second;
  };
  EXPECT_EQ(OrderByDialUpEntry(c.accounts, lookup), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    JobSequencer, AccountOrderTest,
    ::testing::Values(
        OrderCase{"non-dialling first, reversed; then each entry's accounts together",
                  {"acc1", "acc2", "acc3", "acc4", "acc5"},
                  {{"acc1", ""}, {"acc2", "X"}, {"acc3", ""}, {"acc4", "Y"}, {"acc5", "X"}},
                  {"acc3", "acc1", "acc2", "acc5", "acc4"}},
        OrderCase{"one entry keeps the later ones reversed",
                  {"a", "b", "c"}, {{"a", "X"}, {"b", "X"}, {"c", "X"}}, {"a", "c", "b"}},
        OrderCase{"an account without a record goes last; the grouping goes on past it",
                  {"a", "ghost", "b", "c"}, {{"a", "X"}, {"b", "Y"}, {"c", "X"}},
                  {"a", "c", "b", "ghost"}},
        OrderCase{"nothing to order", {}, {}, {}}));

}  // namespace
