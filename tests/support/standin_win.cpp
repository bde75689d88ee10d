#include "support/standin_win.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sample_data/sample_data.h"

namespace standin {

// The stand-in is built in bin\fixtures; test programs run from bin or from a
// folder below it.
std::string ProgramPath() {
  const std::string beside = e2e::BinDir() + "\\fixtures\\corvid.exe";
  return GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES ? beside
                                                                        : e2e::BinDir() + "\\..\\fixtures\\corvid.exe";
}

bool Client::Start(const std::string& dataRoot, const std::string& scenario) {
  const std::string line = "\"" + ProgramPath() + "\" \"" + dataRoot + "\" \"" + scenario + "\"";
  if (!process_.Start(line)) {
    ADD_FAILURE() << "the stand-in client could not be started: " << line;
    return false;
  }
  // Visible only once its children are in place.
  const bool shown = e2e::WaitUntil([this] { return IsWindowVisible(Window()) != FALSE; }, 20000);
  EXPECT_TRUE(shown) << "the stand-in client showed no main window within 20 s";
  return shown;
}

HWND Client::Window() const {
  const std::vector<HWND> windows = e2e::FindWindows({"Corvid32Class", "", process_.Id()});
  return windows.empty() || !process_.IsRunning() ? nullptr : windows.front();
}

void Client::Stop() {
  if (HWND window = Window()) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    process_.WaitForExit(10000);
  }
  process_.Kill();
}

std::vector<std::string> ReadJournal(const std::string& dataRoot) {
  return sample::ReadLines(dataRoot + "\\corvid-journal.txt");
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
