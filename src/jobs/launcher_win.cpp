#include "jobs/launcher_win.h"

#include "win/process_win.h"

namespace {

// Time for the program to come up; it is not waited for beyond that.
constexpr DWORD kInputIdleMs = 100000;

}  // namespace

bool ProcessLauncher::Start(const std::string& commandLine) {
  CProcess process;
  return process.Start(commandLine, SW_SHOWNORMAL, kInputIdleMs);
}
