#include "jobs/launcher_win.h"

#include <windows.h>

#include <vector>

bool ProcessLauncher::Start(const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  // Give the program time to come up; it is not waited for beyond that.
  WaitForInputIdle(process.hProcess, 100000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}
