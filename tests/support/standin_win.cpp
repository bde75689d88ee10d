#include "support/standin_win.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sample_data/sample_data.h"
#include "text/cp932.h"

namespace standin {

namespace {

constexpr DWORD kStartBound = 20000;
constexpr DWORD kStopBound = 10000;

std::string JournalPath(const std::string& dataRoot) {
  return (cp932::EndsWithChar(dataRoot, '\\') ? dataRoot : dataRoot + "\\") + "corvid-journal.txt";
}

}  // namespace

// The stand-in is built in bin\fixtures; test programs run from bin or from a
// folder below it.
std::string ProgramPath() {
  const std::string beside = e2e::BinDir() + "\\fixtures\\corvid.exe";
  if (GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return beside;
  }
  return e2e::BinDir() + "\\..\\fixtures\\corvid.exe";
}

bool Client::Start(const std::string& dataRoot, const std::string& scenario) {
  std::string line = "\"" + ProgramPath() + "\" \"" + dataRoot + "\"";
  if (!scenario.empty()) {
    line += " \"" + scenario + "\"";
  }
  if (!process_.Start(line)) {
    ADD_FAILURE() << "the stand-in client could not be started (error " << process_.StartError()
                  << "): " << line;
    return false;
  }
  // Visible only once its children are in place.
  const bool shown = e2e::WaitUntil(
      [this] {
        HWND window = Window();
        return window != nullptr && IsWindowVisible(window);
      },
      kStartBound);
  EXPECT_TRUE(shown) << "the stand-in client showed no main window within 20 s (exit code "
                     << process_.ExitCode() << ")";
  return shown;
}

HWND Client::Window() const {
  if (!process_.IsRunning()) {
    return nullptr;
  }
  const std::vector<HWND> windows = e2e::FindWindows({"Corvid32Class", "", process_.Id()});
  return windows.empty() ? nullptr : windows.front();
}

void Client::Stop() {
  if (HWND window = Window()) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    process_.WaitForExit(kStopBound);
  }
  process_.Kill();
}

std::vector<std::string> ReadJournal(const std::string& dataRoot) {
  return sample::ReadLines(JournalPath(dataRoot));
}

bool WaitForJournalLine(const std::string& dataRoot, const std::string& line, DWORD timeoutMs) {
  return e2e::WaitUntil(
      [&] {
        const std::vector<std::string> lines = ReadJournal(dataRoot);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
      },
      timeoutMs);
}

}  // namespace standin
