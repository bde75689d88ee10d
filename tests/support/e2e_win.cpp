#include "support/e2e_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sample_data/sample_data.h"
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
  char caption[1024] = "";
  if (!query.caption.empty()) {
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
  }
  if ((query.processId == 0 || owner == query.processId) &&
      (query.className.empty() || query.className == ClassOf(window)) &&
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


std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

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
  std::vector<HWND> windows;
  WaitUntil([&] { return !(windows = FindWindows(query)).empty(); }, timeoutMs);
  return windows.empty() ? nullptr : windows.front();
}

void PostCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::string WindowText(HWND window) {
  char text[1024] = "";
  if (window != nullptr) {
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
  }
  return text;
}

std::string ControlText(HWND dialog, int controlId) { return WindowText(GetDlgItem(dialog, controlId)); }

// The list's process reads and writes the item through memory of its own.
std::vector<std::string> ListViewRows(HWND list, int columns) {
  std::vector<std::string> rows;
  DWORD owner = 0;
  GetWindowThreadProcessId(list, &owner);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
  if (process == nullptr) return rows;
  constexpr int kTextBytes = 1024;
  auto* item = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextBytes, MEM_COMMIT, PAGE_READWRITE));
  const int count = item == nullptr ? 0 : static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::string joined;
    for (int column = 0; column < columns; ++column) {
      LVITEMA request{};
      request.iSubItem = column;
      request.pszText = item + sizeof(LVITEMA);
      request.cchTextMax = kTextBytes;
      char text[kTextBytes] = "";
      WriteProcessMemory(process, item, &request, sizeof request, nullptr);
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(item));
      ReadProcessMemory(process, item + sizeof(LVITEMA), text, kTextBytes - 1, nullptr);
      joined += (column == 0 ? "" : "|") + std::string(text);
    }
    rows.push_back(joined);
  }
  if (item != nullptr) VirtualFreeEx(process, item, 0, MEM_RELEASE);
  CloseHandle(process);
  return rows;
}

namespace {

template <typename Function>
Function Find(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The system's image library writes the file; loaded here, so no test program links it.
bool SavePng(HBITMAP bitmap, const std::string& path) {
  HMODULE library = LoadLibraryA("gdiplus.dll");
  if (library == nullptr) return false;
  const auto startup = Find<int(WINAPI*)(ULONG_PTR*, const void*, void*)>(library, "GdiplusStartup");
  const auto shutdown = Find<void(WINAPI*)(ULONG_PTR)>(library, "GdiplusShutdown");
  const auto fromBitmap = Find<int(WINAPI*)(HBITMAP, HPALETTE, void**)>(library, "GdipCreateBitmapFromHBITMAP");
  const auto save = Find<int(WINAPI*)(void*, const wchar_t*, const CLSID*, const void*)>(library, "GdipSaveImageToFile");
  const auto dispose = Find<int(WINAPI*)(void*)>(library, "GdipDisposeImage");
  const struct { UINT32 version; void* callback; BOOL noThread, noCodecs; } input{1, nullptr, FALSE, FALSE};
  const CLSID pngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  wchar_t widePath[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
  ULONG_PTR token = 0;
  void* image = nullptr;
  bool saved = false;
  if (startup(&token, &input, nullptr) == 0) {
    saved = fromBitmap(bitmap, nullptr, &image) == 0 && save(image, widePath, &pngEncoder, nullptr) == 0;
    if (image != nullptr) dispose(image);
    shutdown(token);
  }
  return saved;
}

}  // namespace

// Our own windows' pixels, painted now: no waiting for the display, and
// nothing of what lies on top of them. Another process's as the screen shows
// it, once its thread has painted it (asked only when it answers).
std::string SaveScreenshot(HWND window, const std::string& name) {
  const std::string dir = ShotsDir();
  RECT area{};
  if (dir.empty() || !GetWindowRect(window, &area)) return std::string();
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  const bool own = owner == GetCurrentProcessId();
  const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
  if (own || SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr) != 0) {
    RedrawWindow(window, nullptr, nullptr, redraw);
  }
  HDC source = own ? GetWindowDC(window) : GetDC(nullptr);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, area.right - area.left, area.bottom - area.top);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, area.right - area.left, area.bottom - area.top, source, own ? 0 : area.left,
                             own ? 0 : area.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(own ? window : nullptr, source);
  const std::string path = dir + "\\" + name + ".png";
  const bool saved = copied && SavePng(bitmap, path);
  DeleteObject(bitmap);
  return saved ? path : std::string();
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
