#include "support/e2e_win.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>

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

std::string SaveScreenshot(HWND window, const std::string& name) {
  const std::string dir = ShotsDir();
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (dir.empty() || (window != nullptr && !GetWindowRect(window, &area))) {
    return std::string();
  }
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> rgb;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
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
  ReleaseDC(nullptr, screen);
  const std::string path = dir + "\\" + name + ".png";
  return WritePng(path, width, height, rgb) ? path : std::string();
}

}  // namespace e2e
