// Driving windows and processes under Wine: start and stop processes and the
// stand-in mail client, wait (always with a bound) for windows, send commands,
// read another process's controls, and save screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The folder of the running test program, where the program is built too.
std::string BinDir();
std::string ProgramPath();

// A child process, killed if still running when the object goes.
class Process {
 public:
  Process() = default;
  ~Process() { Kill(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // A failure to start is reported on stderr with its error code.
  bool Start(const std::string& commandLine, const std::string& directory = std::string());
  DWORD Id() const { return info_.dwProcessId; }
  bool IsRunning() const { return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  bool WaitForExit(DWORD timeoutMs) { return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0; }
  DWORD ExitCode() const;
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

struct WindowQuery {
  std::string className;  // empty: any class
  std::string caption;    // empty: any caption
  DWORD processId = 0;    // 0: any process
};

std::vector<HWND> FindWindows(const WindowQuery& query);
std::string ClassOf(HWND window);
// Polls condition, handling this thread's messages meanwhile, until it holds
// or timeoutMs passes. Returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// The first top-level window that matches, or nullptr after timeoutMs.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);
void PostCommand(HWND window, int id);
// A window's or a control's text read with WM_GETTEXT, which works across processes.
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int controlId);
// The rows of a report list view of another process, each its first columns'
// texts joined by "|".
std::vector<std::string> ListViewRows(HWND list, int columns);
// Saves the window as <name>.png in the folder LARKSPUR_SHOTS names. The
// file's path, or "" when no folder is set or the capture failed.
std::string SaveScreenshot(HWND window, const std::string& name);

// The stand-in mail client, fixtures\corvid.exe below the tests' folder.
std::string StandInPath();
// The lines of "<data root>\\corvid-journal.txt", what the stand-in received.
std::vector<std::string> ReadJournal(const std::string& dataRoot);
// Ends every stand-in client still running.
void StopStandIns();

class StandIn {
 public:
  ~StandIn() { Stop(); }
  // Starts it on dataRoot with the scenario text; false (with a test failure)
  // when its main window does not show within 20 s.
  bool Start(const std::string& dataRoot, const std::string& scenario = std::string());
  HWND Window() const;
  Process& Program() { return process_; }
  // Closes the main window and waits for the end; kills it after 10 s.
  void Stop();

 private:
  Process process_;
};

}  // namespace e2e
