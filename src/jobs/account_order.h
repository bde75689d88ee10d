// Orders a run's accounts for dialling: accounts that do not dial first, then
// the accounts of each phone-book entry one after the other, so that a run
// dials each entry once.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/account_job.h"

// lookup finds an account's job record by title (nullptr when it has none).
// An account dials when its record's useDialUp is non-zero; entries are
// compared exactly. Accounts without a record come last, in their order.
std::vector<std::string> OrderByDialUpEntry(
    std::vector<std::string> accounts,
    const std::function<const CAccountJob*(const std::string&)>& lookup);
