#include "support/e2e_win.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/png_writer.h"
#include "text/cp932.h"

namespace e2e {

std::string BinDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string dir = path;
  const std::size_t slash = cp932::FindLast(dir, '\\');
  return slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
}

std::string ProgramPath() { return BinDir() + "\\Larkspur32.exe"; }

Process::~Process() { Kill(); }

// Under a loaded Wine a new process now and then dies before it has started,
// and CreateProcess fails at once. That says nothing about the program under
// test, so a start is tried a few times; every failed try is reported on
// stderr with its error code, and the last code stays readable.
bool Process::Start(const std::string& commandLine, const std::string& directory) {
  constexpr int kTries = 3;
  Kill();
  for (int attempt = 1; attempt <= kTries; ++attempt) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &info_)) {
      startError_ = ERROR_SUCCESS;
      return true;
    }
    startError_ = GetLastError();
    info_ = PROCESS_INFORMATION{};
    std::fprintf(stderr, "CreateProcess failed with error %lu (try %d of %d): %s\n",
                 static_cast<unsigned long>(startError_), attempt, kTries, commandLine.c_str());
    Sleep(500);
  }
  return false;
}

bool Process::IsRunning() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs) {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess != nullptr) {
    GetExitCodeProcess(info_.hProcess, &code);
  }
  return code;
}

void Process::Kill() {
  if (info_.hProcess == nullptr) {
    return;
  }
  if (IsRunning()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
  info_ = PROCESS_INFORMATION{};
}

namespace {

struct Search {
  const WindowQuery* query;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  const WindowQuery& query = *search->query;
  if (query.processId != 0) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query.processId) {
      return TRUE;
    }
  }
  if (!query.className.empty()) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (query.className != name) {
      return TRUE;
    }
  }
  if (!query.caption.empty()) {
    char caption[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    if (query.caption != caption) {
      return TRUE;
    }
  }
  search->found.push_back(window);
  return TRUE;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

std::vector<HWND> FindWindows(const WindowQuery& query) {
  Search search{&query, {}};
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    if (condition()) {
      return true;
    }
    if (GetTickCount() - start >= timeoutMs) {
      return false;
    }
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
  HWND control = GetDlgItem(dialog, controlId);
  if (control != nullptr) {
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
  }
  return text;
}

namespace {

// LARKSPUR_SHOTS may be a Unix path; Wine shows the Unix root as drive Z.
std::string ShotsDir() {
  const char* dir = std::getenv("LARKSPUR_SHOTS");
  if (dir == nullptr || *dir == '\0') {
    return std::string();
  }
  std::string path = dir;
  if (path[0] == '/') {
    path = "Z:" + path;
    for (char& c : path) {
      if (c == '/') {
        c = '\\';
      }
    }
  }
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

}  // namespace

std::string SaveScreenshot(HWND window, const std::string& name) {
  const std::string dir = ShotsDir();
  if (dir.empty()) {
    return std::string();
  }
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window != nullptr && !GetWindowRect(window, &area)) {
    return std::string();
  }
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) {
    return std::string();
  }
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  std::vector<std::uint8_t> rgb;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
    if (copied) {
      const auto* pixels = static_cast<const std::uint8_t*>(bits);
      rgb.reserve(static_cast<std::size_t>(width) * height * 3);
      for (int i = 0; i < width * height; ++i) {
        rgb.push_back(pixels[i * 4 + 2]);
        rgb.push_back(pixels[i * 4 + 1]);
        rgb.push_back(pixels[i * 4 + 0]);
      }
    }
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const std::string path = dir + "\\" + name + ".png";
  return copied && WritePng(path, width, height, rgb) ? path : std::string();
}

}  // namespace e2e
