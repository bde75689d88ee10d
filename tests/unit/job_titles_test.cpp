// The titles a page shows for a job record after it changed the record's folders.
#include "settings_ui/job_titles.h"

#include <gtest/gtest.h>

#include "client/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "support/scratch_directory.h"

namespace {

TEST(JobTitles, ComeFromTheClientsFilesOfTheRightAccounts) {
  ScratchDirectory scratch;
  const std::string root = JoinPath(scratch.Path(), "データ");
  sample::DataDirectoryBuilder data(root);
  ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account1", "WORK.BOX", "仕事", "1"));
  ASSERT_TRUE(data.AddFolder("Account1", "WORK.BOX\\2002.BOX", "ソフト能力", ""));
  ASSERT_TRUE(data.AddAccount("Account2", "ポスト", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX", "別の仕事", ""));

  CAccountJob job;
  job.directory = "Account1";
  job.reserve.ReserveFolder = "inbox.box";
  job.reserve.RemainFromAccount = "Account2";
  job.reserve.RemainFromFolder = "WORK.BOX";
  job.reserve.RemainToFolder = "WORK.BOX\\2002.BOX";
  job.reserve.reserveFolderTitle = "stale";
  RefreshDerivedTitles(job, root);
  EXPECT_EQ(job.reserve.reserveFolderTitle, "郵便受け");
  EXPECT_EQ(job.reserve.remainFromAccountTitle, "ポスト");
  // The source folder is looked up in the source account, not in this one.
  EXPECT_EQ(job.reserve.remainFromFolderTitle, "別の仕事");
  EXPECT_EQ(job.reserve.remainToFolderTitle, "ソフト能力");

  // Nothing chosen: nothing to name, and a folder that is gone has no title.
  job.reserve.ReserveFolder = "GONE.BOX";
  job.reserve.RemainFromAccount.clear();
  job.reserve.RemainFromFolder.clear();
  job.reserve.RemainToFolder.clear();
  RefreshDerivedTitles(job, root);
  EXPECT_EQ(job.reserve.reserveFolderTitle, "");
  EXPECT_EQ(job.reserve.remainFromAccountTitle, "");
  EXPECT_EQ(job.reserve.remainFromFolderTitle, "");
  EXPECT_EQ(job.reserve.remainToFolderTitle, "");
}

}  // namespace
