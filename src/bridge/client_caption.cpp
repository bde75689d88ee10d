#include "bridge/client_caption.h"

#include "text/cp932.h"

namespace {

constexpr const char* kProductCaption = "Corvid";
constexpr const char* kCaptionSuffix = "- Corvid";

}  // namespace

bool IsClientCaption(const std::string& caption, bool hasViewChild) {
  if (caption == kProductCaption) {
    return hasViewChild;
  }
  const std::string suffix = kCaptionSuffix;
  return caption.size() > suffix.size() && cp932::EndsWith(caption, suffix);
}

std::string AccountInCaption(const std::string& caption) {
  std::size_t begin = 0;
  while (begin < caption.size() && caption[begin] == '[') {
    ++begin;
  }
  if (begin == 0) {
    return std::string();
  }
  const std::size_t end = cp932::Find(caption, ']', begin);
  if (end == std::string::npos) {
    return std::string();
  }
  return caption.substr(begin, end - begin);
}
