// Another program started from a command line. The handles are closed when
// the object goes; the program runs on.
#pragma once

#include <windows.h>

#include <string>

class CProcess {
 public:
  CProcess() = default;
  ~CProcess();
  CProcess(const CProcess&) = delete;
  CProcess& operator=(const CProcess&) = delete;

  // Starts commandLine (no separate program name, handles inherited, the
  // caller's environment and directory) shown with showCommand, then waits at
  // most inputIdleMs until it is ready for input. False when it could not be
  // started.
  bool Start(const std::string& commandLine, int showCommand, DWORD inputIdleMs);
  HANDLE Handle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
};
