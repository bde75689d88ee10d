#include "jobs/after_fetch_command.h"

#include "text/cp932.h"

namespace {

// text in double quotes, read back as text by the usual command line rules:
// backslashes right before the closing quote are doubled, or the last of them
// would escape the quote and run this argument into the next.
std::string Quoted(const std::string& text) {
  std::string rest = text;
  std::string trailing;
  while (cp932::EndsWithChar(rest, '\\')) {
    rest.pop_back();
    trailing += "\\\\";
  }
  return "\"" + rest + trailing + "\"";
}

}  // namespace

std::string AfterFetchCommandLine(const CAccountJob& record, const std::string& mailBoxPath) {
  const CCommandData& command = record.command;
  std::string line = Quoted(command.CommandName);
  if (command.ParamMailBox != 0) {
    line += " " + Quoted(command.MailBoxSwitch + mailBoxPath);
  }
  if (command.ParamAccount != 0) {
    line += " " + Quoted(command.AccountSwitch + record.directory);
  }
  return line;
}
