#include "jobs/after_fetch_command.h"

#include <gtest/gtest.h>

namespace {

TEST(AfterFetchCommand, QuotesTheProgramAndEachArgument) {
  CAccountJob record;
  record.directory = "Account2";
  record.command.CommandName = "C:\\Tools\\after.exe";
  EXPECT_EQ(AfterFetchCommandLine(record, "D:\\Mail"), "\"C:\\Tools\\after.exe\"");

  record.command.ParamMailBox = 1;
  record.command.MailBoxSwitch = "/m:";
  record.command.ParamAccount = 1;
  record.command.AccountSwitch = "/a:";
  EXPECT_EQ(AfterFetchCommandLine(record, "D:\\Mail"),
            "\"C:\\Tools\\after.exe\" \"/m:D:\\Mail\" \"/a:Account2\"");

  record.command.ParamMailBox = 0;
  record.command.AccountSwitch = "";
  EXPECT_EQ(AfterFetchCommandLine(record, "D:\\表示"), "\"C:\\Tools\\after.exe\" \"Account2\"");
}

}  // namespace
