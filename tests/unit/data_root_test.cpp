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

TEST(DataRoot, TheSameFolderIgnoresAsciiCaseAndATrailingBackslashOnly) {
  const struct {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"C:\\Corvid", "c:\\CORVID\\", true},
      {"\\\\server\\share\\ポスト", "\\\\SERVER\\Share\\ポスト\\", true},
      // The last byte of 能 is 0x5C, no backslash to drop.
      {"D:\\能", "D:\\能\\", true},
      {"D:\\能", "D:\\\x94", false},
      // ア and ヂ differ only in a trail byte that looks like a letter.
      {"C:\\ア", "C:\\ヂ", false},
      {"C:\\Corvid", "C:\\Corvid2", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSameFolder(c.a, c.b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(IsSameFolder(c.b, c.a), c.same) << c.b << " " << c.a;
  }
}

}  // namespace
