#include "jobs/after_fetch_command.h"

#include <gtest/gtest.h>

namespace {

TEST(AfterFetchCommand, QuotesTheProgramAndEachArgument) {
  CAccountJob record;
  record.directory = "Account2";
  record.command.CommandName = "C:\\Tools\\after.exe";
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

TEST(AfterFetchCommand, ABackslashEndingAnArgumentDoesNotEscapeItsQuote) {
  CAccountJob record;
  record.directory = "Account1";
  record.command.CommandName = "after.exe";
  record.command.ParamMailBox = 1;
  record.command.MailBoxSwitch = "/m:";
  record.command.ParamAccount = 1;
  // A drive root, and a path whose last character's trail byte is 0x5C.
  EXPECT_EQ(AfterFetchCommandLine(record, "D:\\"), "\"after.exe\" \"/m:D:\\\\\" \"Account1\"");
  EXPECT_EQ(AfterFetchCommandLine(record, "D:\\表"), "\"after.exe\" \"/m:D:\\表\" \"Account1\"");
  EXPECT_EQ(AfterFetchCommandLine(record, "D:\\表\\"), "\"after.exe\" \"/m:D:\\表\\\\\" \"Account1\"");
}

}  // namespace
