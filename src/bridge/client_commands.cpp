#include "bridge/client_commands.h"

#include "text/cp932.h"

namespace {

constexpr const char* kDefaultProgram = "corvid.exe";

bool HasBlank(const std::string& text) {
  return cp932::Find(text, ' ') != std::string::npos || cp932::Find(text, '\t') != std::string::npos;
}

}  // namespace

bool IsSafeCommandArgument(const std::string& text) {
  if (text.empty()) {
    return false;
  }
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = cp932::CharLength(text, pos);
    const auto c = static_cast<unsigned char>(text[pos]);
    if (len == 2) {
      if (!cp932::IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return false;
      }
    } else if (cp932::IsLeadByte(c) || c < 0x20 || c == 0x7F || c == ',' || c == '(' || c == ')') {
      return false;
    }
    pos += len;
  }
  return true;
}

bool MarkMailCommand(const std::string& mailPath, std::int32_t mark, int on, std::string& command) {
  if (!IsSafeCommandArgument(mailPath)) {
    return false;
  }
  const unsigned flag = static_cast<unsigned>(on) & 0xFFFFu;
  command = "MarkMail(" + mailPath + "," + std::to_string(mark) + "," + std::to_string(flag) + ")";
  return true;
}

bool MoveMailCommand(const std::string& mailPath, const std::string& targetFolder,
                     std::string& command) {
  if (!IsSafeCommandArgument(mailPath) || !IsSafeCommandArgument(targetFolder)) {
    return false;
  }
  command = "MoveMail(" + mailPath + "," + targetFolder + ")";
  return true;
}

std::string LaunchCommandLine(const std::string& program, const std::string& dataRoot,
                              const std::string& extra) {
  std::string line;
  if (program.empty()) {
    line = kDefaultProgram;
  } else if (HasBlank(program) && program.front() != '"') {
    line = "\"" + program + "\"";
  } else {
    line = program;
  }
  return line + " " + dataRoot + " " + extra;
}
