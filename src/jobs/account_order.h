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
// compared exactly. From the first account without a record on, the accounts
// left keep their order at the front.
std::vector<std::string> OrderByDialUpEntry(
    std::vector<std::string> accounts,
    const std::function<const CAccountJob*(const std::string&)>& lookup);
