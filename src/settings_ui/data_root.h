// Checks on a data root the user picked for the mail client.
#pragma once

#include <string>

// The path whose existence makes folder a data root: folder, one "\" unless
// it already ends with one, "MailBox". "C:\" gives "C:\MailBox".
std::string MailBoxTestPath(const std::string& folder);

// True when a and b name the same folder as the file system compares names:
// ASCII letters in either case, a trailing "\" aside.
bool IsSameFolder(const std::string& a, const std::string& b);
