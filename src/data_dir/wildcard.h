// File-name patterns as the client's directories are searched with: "*" for
// any run of characters, "?" for one character, ASCII case ignored.
#pragma once

#include <string>

// Compares whole cp932 characters, so a trail byte never matches "*", "?" or
// a single-byte letter of the pattern.
bool MatchesWildcard(const std::string& name, const std::string& pattern);
