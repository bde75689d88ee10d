// With Windows path rules an empty data root would make "\mailbox\" the
// mailbox directory at the root of the current drive: a mailbox there must
// never be read as the user's.
#include <gtest/gtest.h>

#include <windows.h>

#include "data_dir/data_directory.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"

namespace {

TEST(EmptyDataRoot, ReadsNoAccountsEvenWhenTheCurrentDriveHasAMailbox) {
  // C: is the drive of the tests' own prefix; a mailbox already there is not ours.
  if (GetFileAttributesA("C:\\mailbox") != INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "C:\\mailbox already exists";
  }
  char saved[MAX_PATH] = "";
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, saved), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  const bool made = sample::DataDirectoryBuilder("C:\\").AddAccount("Account1", "表示", 0, "");
  const std::vector<std::string> onDrive = ListAccounts("C:\\").titles;
  const AccountScan none = ListAccounts("");
  SetCurrentDirectoryA(saved);
  sample::RemoveTree("C:\\mailbox");
  ASSERT_TRUE(made);
  ASSERT_EQ(onDrive, std::vector<std::string>{"表示"});
  EXPECT_TRUE(none.directories.empty() && none.titles.empty());
}

}  // namespace
