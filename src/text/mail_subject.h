// The subject of a mail file, from its header, as cp932 text: encoded words
// (RFC 2047, "B" and "Q") in ISO-2022-JP or Shift_JIS are decoded, as is raw
// ISO-2022-JP text; folded lines are joined.
#pragma once

#include <string>

// The subject of the header (the text up to the first empty line); empty when
// it has none, or when it is in a character set this cannot show.
std::string DecodeSubject(const std::string& header);
