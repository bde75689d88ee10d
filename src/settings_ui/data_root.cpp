#include "settings_ui/data_root.h"

#include "data_dir/mailbox_paths.h"
#include "text/cp932.h"

namespace {

std::string WithoutTrailingBackslash(const std::string& folder) {
  return cp932::EndsWithChar(folder, '\\') ? folder.substr(0, folder.size() - 1) : folder;
}

}  // namespace

std::string MailBoxTestPath(const std::string& folder) { return JoinPath(folder, "MailBox"); }

bool IsSameFolder(const std::string& a, const std::string& b) {
  return cp932::EqualsIgnoreAsciiCase(WithoutTrailingBackslash(a), WithoutTrailingBackslash(b));
}
