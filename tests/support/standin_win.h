// Starting the stand-in mail client (fixtures\corvid.exe beside the tests)
// on a data directory, and reading the journal of what it received.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/e2e_win.h"

namespace standin {

std::string ProgramPath();

class Client {
 public:
  ~Client() { Stop(); }

  // Starts the stand-in on dataRoot with the scenario text and waits, at most
  // 20 s, for its main window. False (with a test failure) when it does not come.
  bool Start(const std::string& dataRoot, const std::string& scenario = std::string());
  HWND Window() const;
  e2e::Process& Process() { return process_; }
  // Closes the main window and waits for the end; kills it after 10 s.
  void Stop();

 private:
  e2e::Process process_;
};

// The lines of "<data root>\corvid-journal.txt"; empty when it does not exist.
std::vector<std::string> ReadJournal(const std::string& dataRoot);

// Waits, at most timeoutMs, until the journal holds line.
bool WaitForJournalLine(const std::string& dataRoot, const std::string& line, DWORD timeoutMs);

}  // namespace standin
