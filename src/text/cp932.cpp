#include "text/cp932.h"

namespace cp932 {

std::size_t CharLength(const std::string& text, std::size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]))) {
    return 2;
  }
  return 1;
}

std::size_t Find(const std::string& text, char c, std::size_t from) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = CharLength(text, pos);
    if (pos >= from && len == 1 && text[pos] == c) {
      return pos;
    }
    pos += len;
  }
  return std::string::npos;
}

std::size_t FindLast(const std::string& text, char c) {
  std::size_t last = std::string::npos;
  for (std::size_t at = Find(text, c); at != std::string::npos; at = Find(text, c, at + 1)) {
    last = at;
  }
  return last;
}

bool EndsWithChar(const std::string& text, char c) {
  std::size_t pos = 0;
  std::size_t last = std::string::npos;
  std::size_t lastLen = 0;
  while (pos < text.size()) {
    last = pos;
    lastLen = CharLength(text, pos);
    pos += lastLen;
  }
  return last != std::string::npos && lastLen == 1 && text[last] == c;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  if (suffix.size() > text.size()) {
    return false;
  }
  const std::size_t start = text.size() - suffix.size();
  if (text.compare(start, suffix.size(), suffix) != 0) {
    return false;
  }
  std::size_t pos = 0;
  while (pos < start) {
    pos += CharLength(text, pos);
  }
  return pos == start;
}

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> pieces;
  std::size_t begin = 0;
  for (std::size_t at = Find(text, sep); at != std::string::npos; at = Find(text, sep, at + 1)) {
    pieces.push_back(text.substr(begin, at - begin));
    begin = at + 1;
  }
  pieces.push_back(text.substr(begin));
  return pieces;
}

std::string FoldAscii(const std::string& text) {
  std::string folded = text;
  std::size_t pos = 0;
  while (pos < folded.size()) {
    const std::size_t len = CharLength(folded, pos);
    if (len == 1 && folded[pos] >= 'A' && folded[pos] <= 'Z') {
      folded[pos] = static_cast<char>(folded[pos] - 'A' + 'a');
    }
    pos += len;
  }
  return folded;
}

bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && FoldAscii(a) == FoldAscii(b);
}

std::string Truncate(const std::string& text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = CharLength(text, pos);
    if (pos + len > maxBytes) {
      break;
    }
    pos += len;
  }
  return text.substr(0, pos);
}

}  // namespace cp932
