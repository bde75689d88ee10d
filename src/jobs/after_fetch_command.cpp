#include "jobs/after_fetch_command.h"

std::string AfterFetchCommandLine(const CAccountJob& record, const std::string& mailBoxPath) {
  const CCommandData& command = record.command;
  std::string line = "\"" + command.CommandName + "\"";
  if (command.ParamMailBox != 0) {
    line += " \"" + command.MailBoxSwitch + mailBoxPath + "\"";
  }
  if (command.ParamAccount != 0) {
    line += " \"" + command.AccountSwitch + record.directory + "\"";
  }
  return line;
}
