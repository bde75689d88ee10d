// Walking cp932 (Shift-JIS) text character by character.
//
// A trail byte can be 0x5C ('\'), 0x7C ('|') or an ASCII letter, so every scan,
// split, suffix test and case fold here respects lead bytes instead of looking
// at single bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace cp932 {

// True for the bytes that start a two-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True for the bytes that may end a two-byte character in code page 932.
constexpr bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Length in bytes (1 or 2) of the character starting at pos. A lead byte at the
// very end of the text counts as a character of its own.
std::size_t CharLength(const std::string& text, std::size_t pos);

// Position of the first character equal to the single-byte character c at or
// after from, or std::string::npos. Trail bytes never match.
std::size_t Find(const std::string& text, char c, std::size_t from = 0);

// Position of the last character equal to the single-byte character c, or
// std::string::npos. Trail bytes never match.
std::size_t FindLast(const std::string& text, char c);

// True when the last character of text is the single-byte character c.
bool EndsWithChar(const std::string& text, char c);

// True when text ends with suffix and the suffix starts on a character boundary.
bool EndsWith(const std::string& text, const std::string& suffix);

// Splits at every single-byte character sep; empty pieces are kept.
std::vector<std::string> Split(const std::string& text, char sep);

// Lower-cases ASCII letters that stand as single-byte characters; double-byte
// characters (whose trail byte may look like a letter) are left alone.
std::string FoldAscii(const std::string& text);

// Byte comparison with ASCII letters folded as FoldAscii does.
bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b);

// The longest prefix of text of at most maxBytes bytes that does not cut a
// double-byte character in two.
std::string Truncate(const std::string& text, std::size_t maxBytes);

}  // namespace cp932
