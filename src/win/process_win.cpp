#include "win/process_win.h"

#include <vector>

CProcess::~CProcess() {
  if (info_.hThread != nullptr) {
    CloseHandle(info_.hThread);
  }
  if (info_.hProcess != nullptr) {
    CloseHandle(info_.hProcess);
  }
}

bool CProcess::Start(const std::string& commandLine, int showCommand, DWORD inputIdleMs) {
  // The system may write into the command line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &info_)) {
    info_ = PROCESS_INFORMATION{};
    return false;
  }
  WaitForInputIdle(info_.hProcess, inputIdleMs);
  return true;
}
