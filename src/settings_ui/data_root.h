// Checks on a data root the user picked for the mail client.
#pragma once

#include <string>

// The path whose existence makes folder a data root: folder, one "\" unless
// it already ends with one, "MailBox". "C:\" gives "C:\MailBox".
std::string MailBoxTestPath(const std::string& folder);
