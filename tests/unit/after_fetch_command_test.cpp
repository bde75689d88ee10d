// The command line of the program run after a fetch.
#include "jobs/after_fetch_command.h"

#include <gtest/gtest.h>

namespace {

TEST(AfterFetchCommand, QuotesEachPartAndNeverLetsABackslashEscapeAQuote) {
  const struct {
    int mailBox, account;
    const char* mailBoxPath;
    const char* line;
  } cases[] = {
      {0, 0, "D:\\Mail", "\"C:\\Tools\\after.exe\""},
      {1, 1, "D:\\Mail", "\"C:\\Tools\\after.exe\" \"/m:D:\\Mail\" \"/a:Account2\""},
      // A drive root; paths whose last character has the trail byte 0x5C.
      {1, 0, "D:\\", "\"C:\\Tools\\after.exe\" \"/m:D:\\\\\""},
      {1, 0, "D:\\表", "\"C:\\Tools\\after.exe\" \"/m:D:\\表\""},
      {1, 0, "D:\\表\\", "\"C:\\Tools\\after.exe\" \"/m:D:\\表\\\\\""},
  };
  for (const auto& c : cases) {
    CAccountJob record;
    record.directory = "Account2";
    record.command.CommandName = "C:\\Tools\\after.exe";
    record.command.ParamMailBox = c.mailBox, record.command.MailBoxSwitch = "/m:";
    record.command.ParamAccount = c.account, record.command.AccountSwitch = "/a:";
    EXPECT_EQ(AfterFetchCommandLine(record, c.mailBoxPath), c.line) << c.mailBoxPath;
  }
}

}  // namespace
