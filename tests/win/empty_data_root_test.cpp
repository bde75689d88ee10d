// With Windows path rules an empty data root would make "\mailbox\" the
// mailbox directory at the root of the current drive: a mailbox there must
// never be read as the user's.
#include <gtest/gtest.h>

#include <windows.h>

#include "data_dir/data_directory.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"

namespace {

// C: is the drive of the tests' own throw-away prefix. A mailbox already
// there is somebody's: the test then leaves it alone and is skipped.
constexpr const char* kDriveRoot = "C:\\";
constexpr const char* kDriveMailbox = "C:\\mailbox";

class EmptyDataRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, saved_), 0u);
    if (GetFileAttributesA(kDriveMailbox) != INVALID_FILE_ATTRIBUTES) {
      GTEST_SKIP() << kDriveMailbox << " already exists";
    }
    ASSERT_TRUE(SetCurrentDirectoryA(kDriveRoot));
    made_ = true;
    sample::DataDirectoryBuilder data(kDriveRoot);
    ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
  }

  void TearDown() override {
    SetCurrentDirectoryA(saved_);
    if (made_) {
      sample::RemoveTree(kDriveMailbox);
    }
  }

  char saved_[MAX_PATH] = "";
  bool made_ = false;
};

TEST_F(EmptyDataRoot, ReadsNoAccountsEvenWhenTheCurrentDriveHasAMailbox) {
  // The drive's mailbox is readable by its own name...
  ASSERT_EQ(ListAccounts(kDriveRoot).titles, std::vector<std::string>{"表示"});
  // ...but no data root is not the current drive's root.
  EXPECT_TRUE(ListAccounts("").directories.empty());
  EXPECT_TRUE(ListAccounts("").titles.empty());
}

}  // namespace
