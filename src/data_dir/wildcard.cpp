#include "data_dir/wildcard.h"

#include "text/cp932.h"

namespace {

char FoldByte(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameChar(const std::string& a, std::size_t aPos, std::size_t aLen, const std::string& b,
              std::size_t bPos, std::size_t bLen) {
  if (aLen != bLen) {
    return false;
  }
  if (aLen == 1) {
    return FoldByte(a[aPos]) == FoldByte(b[bPos]);
  }
  return a.compare(aPos, aLen, b, bPos, bLen) == 0;
}

bool IsSingle(const std::string& text, std::size_t pos, char c) {
  return cp932::CharLength(text, pos) == 1 && text[pos] == c;
}

}  // namespace

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  // Where to resume after the last "*": the pattern after it, and the name
  // position it has swallowed up to.
  std::size_t starPattern = std::string::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size()) {
      const std::size_t patternLen = cp932::CharLength(pattern, p);
      const std::size_t nameLen = cp932::CharLength(name, n);
      if (IsSingle(pattern, p, '*')) {
        starPattern = ++p;
        starName = n;
        continue;
      }
      if (IsSingle(pattern, p, '?') || SameChar(name, n, nameLen, pattern, p, patternLen)) {
        p += patternLen;
        n += nameLen;
        continue;
      }
    }
    if (starPattern == std::string::npos) {
      return false;
    }
    starName += cp932::CharLength(name, starName);
    n = starName;
    p = starPattern;
  }
  while (p < pattern.size() && IsSingle(pattern, p, '*')) {
    ++p;
  }
  return p == pattern.size();
}
