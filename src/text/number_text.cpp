#include "text/number_text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool ParseUnsigned(const std::string& text, std::uint32_t& value) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) {
    ++pos;
  }
  const std::size_t digitsStart = pos;
  std::uint64_t number = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    number = number * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    if (number > 0xFFFFFFFFull) {
      return false;
    }
    ++pos;
  }
  if (pos == digitsStart) {
    return false;
  }
  while (pos < text.size() && IsBlank(text[pos])) {
    ++pos;
  }
  if (pos != text.size()) {
    return false;
  }
  value = static_cast<std::uint32_t>(number);
  return true;
}
