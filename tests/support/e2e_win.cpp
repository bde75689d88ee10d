#include "support/e2e_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sample_data/sample_data.h"
#include "support/png_writer.h"
#include "text/cp932.h"

namespace e2e {

std::string BinDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string dir = path;
  return dir.substr(0, cp932::FindLast(dir, '\\'));
}

std::string ProgramPath() { return BinDir() + "\\Larkspur32.exe"; }

// Under a loaded Wine a new process now and then dies before it has started
// and CreateProcess fails at once; that says nothing about the program under
// test, so a start is tried again.
bool Process::Start(const std::string& commandLine, const std::string& directory) {
  Kill();
  for (int attempt = 1; attempt <= 3; ++attempt) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &info_)) {
      return true;
    }
    info_ = PROCESS_INFORMATION{};
    std::fprintf(stderr, "CreateProcess failed with error %lu (try %d): %s\n", GetLastError(), attempt,
                 commandLine.c_str());
  }
  return false;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (info_.hProcess == nullptr) return;
  if (IsRunning() && TerminateProcess(info_.hProcess, 99)) WaitForSingleObject(info_.hProcess, 5000);
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
  info_ = PROCESS_INFORMATION{};
}

namespace {

using Search = std::pair<const WindowQuery*, std::vector<HWND>>;

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  const WindowQuery& query = *search->first;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  char caption[1024] = "";
  if (!query.caption.empty()) {
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
  }
  if ((query.processId == 0 || owner == query.processId) && (query.className.empty() || query.className == name) &&
      (query.caption.empty() || query.caption == caption)) {
    search->second.push_back(window);
  }
  return TRUE;
}

// LARKSPUR_SHOTS may be a Unix path; Wine shows the Unix root as drive Z.
std::string ShotsDir() {
  const char* dir = std::getenv("LARKSPUR_SHOTS");
  std::string path = dir == nullptr ? "" : dir;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!path.empty()) CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

}  // namespace

std::vector<HWND> FindWindows(const WindowQuery& query) {
  Search search{&query, {}};
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> windows = FindWindows(query);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

void PostCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::string ControlText(HWND dialog, int controlId) {
  char text[1024] = "";
  if (HWND control = GetDlgItem(dialog, controlId)) {
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
  }
  return text;
}

// The window's own pixels, painted now: no waiting for the display, and
// nothing of what lies on top of the window.
std::string SaveScreenshot(HWND window, const std::string& name) {
  const std::string dir = ShotsDir();
  RECT area{};
  if (dir.empty() || !GetWindowRect(window, &area)) {
    return std::string();
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> rgb;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY)) {
      GdiFlush();
      const auto* pixels = static_cast<const std::uint8_t*>(bits);
      for (int i = 0; i < width * height; ++i) {
        rgb.insert(rgb.end(), {pixels[i * 4 + 2], pixels[i * 4 + 1], pixels[i * 4]});
      }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(window, source);
  const std::string path = dir + "\\" + name + ".png";
  return WritePng(path, width, height, rgb) ? path : std::string();
}

// Test programs run from bin or from a folder below it.
std::string StandInPath() {
  const std::string beside = BinDir() + "\\fixtures\\corvid.exe";
  return GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES ? beside : BinDir() + "\\..\\fixtures\\corvid.exe";
}

std::vector<std::string> ReadJournal(const std::string& dataRoot) {
  return sample::ReadLines(dataRoot + "\\corvid-journal.txt");
}

void StopStandIns() {
  for (HWND window : FindWindows({"Corvid32Class", "", 0})) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(process, 9);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

bool StandIn::Start(const std::string& dataRoot, const std::string& scenario) {
  const std::string line = "\"" + StandInPath() + "\" \"" + dataRoot + "\" \"" + scenario + "\"";
  if (!process_.Start(line)) {
    ADD_FAILURE() << "the stand-in client could not be started: " << line;
    return false;
  }
  // Visible only once its children are in place.
  const bool shown = WaitUntil([this] { return IsWindowVisible(Window()) != FALSE; }, 20000);
  EXPECT_TRUE(shown) << "the stand-in client showed no main window within 20 s";
  return shown;
}

HWND StandIn::Window() const {
  const std::vector<HWND> windows = FindWindows({"Corvid32Class", "", process_.Id()});
  return windows.empty() || !process_.IsRunning() ? nullptr : windows.front();
}

void StandIn::Stop() {
  if (HWND window = Window()) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    process_.WaitForExit(10000);
  }
  process_.Kill();
}

}  // namespace e2e
