#include "settings_ui/data_root.h"

#include <gtest/gtest.h>

namespace {

TEST(DataRoot, TheTestPathHasOneBackslashBeforeMailBox) {
  const struct {
    const char* folder;
    const char* path;
  } cases[] = {
      {"C:\\", "C:\\MailBox"},
      {"C:\\Corvid", "C:\\Corvid\\MailBox"},
      {"D:\\データ\\", "D:\\データ\\MailBox"},
      // 表 and ソ end in the byte 0x5C, which is not a backslash there.
      {"C:\\表", "C:\\表\\MailBox"},
      {"C:\\ソ", "C:\\ソ\\MailBox"},
      {"\\\\server\\share\\", "\\\\server\\share\\MailBox"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MailBoxTestPath(c.folder), c.path) << c.folder;
  }
}

}  // namespace
