// The command line of the program an account runs after its fetch.
#pragma once

#include <string>

#include "settings/account_job.h"

// "program" then, as configured, " "switch + mailbox path"" and
// " "switch + account directory"", each in double quotes (a backslash
// that ends an argument is doubled, so the quote still closes it).
std::string AfterFetchCommandLine(const CAccountJob& record, const std::string& mailBoxPath);
