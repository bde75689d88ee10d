// The display titles a job record derives from the mail client's files.
#pragma once

#include <string>

#include "settings/account_job.h"

// Recomputes the reserve folder title and the three forwarding titles of job
// from its stored fields and the client's files below dataRoot.
void RefreshDerivedTitles(CAccountJob& job, const std::string& dataRoot);
