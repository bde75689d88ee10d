#include "settings_ui/data_root.h"

#include "text/cp932.h"

std::string MailBoxTestPath(const std::string& folder) {
  std::string path = folder;
  if (!cp932::EndsWithChar(path, '\\')) {
    path += '\\';
  }
  return path + "MailBox";
}
