#include "bridge/mail_client_win.h"

#include <ddeml.h>

#include <algorithm>

#include "bridge/client_caption.h"
#include "bridge/client_commands.h"
#include "bridge/client_dde_win.h"
#include "data_dir/mailbox_paths.h"
#include "text/cp932.h"
#include "win/process_win.h"

namespace {

constexpr const char* kMainClass = "Corvid32Class";
constexpr const char* kFrameClass = "AfxMDIFrame42s";
constexpr const char* kViewClass = "AfxFrameOrView42s";
constexpr const char* kListBoxClass = "ListBox";
constexpr const char* kListViewClass = "SysListView32";
constexpr const char* kErrorCaption = "エラー";
constexpr const char* kReceivedCaption = "メール受信";
constexpr const char* kMailboxItem = "MailBox";
constexpr const char* kQueryMessageName = "Larkspur32QueryMenuItemState";

constexpr std::size_t kMailboxDirBytes = 260;
constexpr int kFetchCommand = 32786;
constexpr int kTidyUpCommand = 32825;
constexpr int kHideCommand = 32828;
constexpr int kFetchStateItem = 32835;
constexpr int kFetchMenuPosition = 3;
constexpr int kAccountMenuPosition = 0;

// Read without sending a message: the finish-check thread must never wait for
// a window of a thread that is busy, our own user-interface thread included.
std::string WindowCaption(HWND window) {
  constexpr int kMaxCharacters = 1024;
  wchar_t wide[kMaxCharacters] = L"";
  const int length = InternalGetWindowText(window, wide, kMaxCharacters);
  if (length <= 0) {
    return std::string();
  }
  char caption[kMaxCharacters * 2] = "";
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide, length, caption, sizeof caption, nullptr, nullptr);
  return std::string(caption, bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
}

HWND Child(HWND parent, const char* className) {
  return parent != nullptr ? FindWindowExA(parent, nullptr, className, nullptr) : nullptr;
}

bool IsClientMainWindow(HWND window) {
  return IsClientCaption(WindowCaption(window), Child(window, kViewClass) != nullptr);
}

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  auto* result = reinterpret_cast<DismissResult*>(param);
  const std::string caption = WindowCaption(window);
  DismissResult found = kNoClientDialog;
  if (caption == kErrorCaption) {
    found = kErrorDialog;
  } else if (caption == kReceivedCaption) {
    found = kMailReceivedDialog;
  } else {
    return TRUE;
  }
  // A message window is owned by the client's main window; GetParent gives
  // the owner only for pop-up styles.
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner == nullptr) {
    owner = GetParent(window);
  }
  if (owner != nullptr && IsClientMainWindow(owner)) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    *result = found;
  }
  return FALSE;
}

}  // namespace

template <typename Condition>
bool CMailClientBridge::WaitFor(Condition condition, DWORD timeoutMs, HANDLE process) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) {
      return true;
    }
    if (process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
      return condition();
    }
    if (GetTickCount() - start >= timeoutMs) {
      return false;
    }
    Sleep(bounds_.pollMs);
  }
}

BOOL CALLBACK CMailClientBridge::TestMainWindow(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<HWND*>(param);
  if (IsClientMainWindow(window)) {
    *found = window;
    return FALSE;
  }
  return TRUE;
}

HWND CMailClientBridge::FindClientWindow() {
  HWND found = nullptr;
  EnumWindows(&TestMainWindow, reinterpret_cast<LPARAM>(&found));
  if (found != nullptr) {
    remembered_ = found;
    return found;
  }
  if (remembered_ != nullptr && !IsWindow(remembered_)) {
    remembered_ = nullptr;
  }
  return remembered_;
}

HWND CMailClientBridge::ClientWindow() {
  // A client that ended and came back has a new window; the old handle may
  // even name another window by now.
  if (remembered_ != nullptr && IsWindow(remembered_) && IsClientMainWindow(remembered_)) {
    return remembered_;
  }
  return FindClientWindow();
}

HWND CMailClientBridge::FindClientList() {
  HWND main = ClientWindow();
  if (main == nullptr) {
    return nullptr;
  }
  HWND holder = Child(main, kFrameClass);
  if (holder == nullptr) {
    holder = main;
  }
  if (HWND view = Child(holder, kViewClass)) {
    return Child(view, kListBoxClass);
  }
  return Child(holder, kListViewClass);
}

long CMailClientBridge::ClientMailboxDir(std::string& directory) {
  return ClientRequest(kMailboxItem, directory, kMailboxDirBytes);
}

bool CMailClientBridge::UsesMailbox(const std::string& dataRoot) {
  if (dataRoot.empty()) {
    return false;
  }
  std::string reported;
  if (ClientMailboxDir(reported) != 0) {
    return false;
  }
  if (cp932::EqualsIgnoreAsciiCase(MailboxDirectory(dataRoot), reported)) {
    return true;
  }
  CloseClient();
  return false;
}

void CMailClientBridge::CloseClient() {
  // A message window left open could keep the client from closing.
  DismissDialogs();
  DismissDialogs();
  if (HWND window = FindWindowA(kMainClass, nullptr)) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  WaitFor([] { return FindWindowA(kMainClass, nullptr) == nullptr; }, bounds_.exitMs, nullptr);
  Sleep(100);
}

bool CMailClientBridge::Launch(const std::string& program, const std::string& dataRoot) {
  CProcess process;
  if (!process.Start(LaunchCommandLine(program, dataRoot, std::string()), SW_SHOW, bounds_.inputIdleMs)) {
    return false;
  }
  // A client that ended without a window will not show one later.
  return WaitFor([] { return FindWindowA(kMainClass, nullptr) != nullptr; }, bounds_.windowMs,
                 process.Handle()) &&
         WaitFor([this] { return FindClientList() != nullptr; }, bounds_.listMs, process.Handle());
}

DismissResult CMailClientBridge::DismissDialogs() {
  DismissResult result = kNoClientDialog;
  EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&result));
  return result;
}

std::string CMailClientBridge::CurrentAccount() {
  HWND window = ClientWindow();
  return window != nullptr ? AccountInCaption(WindowCaption(window)) : std::string();
}

bool CMailClientBridge::ListClientAccounts(std::vector<ClientAccount>& accounts) {
  std::string directory;
  if (ClientMailboxDir(directory) != 0) {
    return false;
  }
  // A "mailbox" directory below the reported one holds the accounts when it exists.
  const std::string nested = JoinPath(directory, "mailbox");
  const DWORD attributes = GetFileAttributesA(nested.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    directory = nested + "\\";
  }
  accounts = ReadClientAccounts(directory);
  return true;
}

void CMailClientBridge::SwitchAccount(const std::string& title) {
  if (title.empty()) {
    return;
  }
  HWND window = ClientWindow();
  if (window == nullptr) {
    return;
  }
  const std::string shown = AccountInCaption(WindowCaption(window));
  if (shown.empty()) {
    return;
  }
  std::vector<ClientAccount> accounts;
  ListClientAccounts(accounts);
  const int id = AccountCommandId(accounts, shown, title);
  if (id == 0) {
    return;
  }
  OpenMenu(window, kAccountMenuPosition);
  SendCommand(id);
}

void CMailClientBridge::SelectFirstAccount(bool openMenuFirst) {
  HWND window = ClientWindow();
  if (window == nullptr) {
    return;
  }
  if (openMenuFirst) {
    OpenMenu(window, kAccountMenuPosition);
  }
  SendCommand(kFirstAccountCommand);
}

void CMailClientBridge::StartFetch() { SendCommand(kFetchCommand); }

void CMailClientBridge::TidyUp() { SendCommand(kTidyUpCommand); }

void CMailClientBridge::SendCommand(int id) {
  if (HWND window = ClientWindow()) {
    SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, bounds_.commandMs,
                        nullptr);
  }
}

void CMailClientBridge::PostCommand(int id) {
  if (HWND window = ClientWindow()) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
}

void CMailClientBridge::OpenMenu(HWND window, int position) {
  // Menus of another process cannot be read under Wine: the client then
  // finds the menu by its position.
  HMENU bar = GetMenu(window);
  HMENU menu = GetMenuItemCount(bar) > position ? GetSubMenu(bar, position) : nullptr;
  SendMessageTimeoutA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                      MAKELPARAM(position, FALSE), SMTO_ABORTIFHUNG, bounds_.queryMs, nullptr);
}

bool CMailClientBridge::IsFetchDone() {
  HWND window = ClientWindow();
  return window == nullptr || ReadFetchItem(window);
}

bool CMailClientBridge::ReadFetchItem(HWND window) {
  OpenMenu(window, kFetchMenuPosition);
  HMENU bar = GetMenu(window);
  if (GetMenuItemCount(bar) >= 0) {
    HMENU menu = GetSubMenu(bar, kFetchMenuPosition);
    return menu != nullptr && GetMenuState(menu, kFetchStateItem, MF_BYCOMMAND) == 0;
  }
  // The menu lives in the client's process: ask the client. It answers the
  // state plus one; 0 (unknown message, no such item) is not done.
  static const UINT query = RegisterWindowMessageA(kQueryMessageName);
  DWORD_PTR answer = 0;
  if (query == 0 ||
      !SendMessageTimeoutA(window, query, kFetchStateItem, kFetchMenuPosition, SMTO_ABORTIFHUNG,
                           bounds_.queryMs, &answer)) {
    return false;
  }
  return answer == 1;
}

void CMailClientBridge::MarkMail(const std::string& mailPath, std::int32_t mark, int on) {
  std::string command;
  if (MarkMailCommand(mailPath, mark, on, command)) {
    ClientExecute(command);
  }
}

MoveOutcome CMailClientBridge::MoveMail(const std::string& mailPath, const std::string& targetFolder) {
  std::string command;
  if (!MoveMailCommand(mailPath, targetFolder, command)) {
    return MoveOutcome::kRefused;
  }
  switch (ClientExecuteAndWait(command, bounds_.moveMs)) {
    case 0:
      return MoveOutcome::kMoved;
    case DMLERR_NOTPROCESSED:
    case DMLERR_BUSY:
      return MoveOutcome::kRefused;
    default:
      return MoveOutcome::kNoAnswer;
  }
}

bool CMailClientBridge::IsRunning() { return FindWindowA(kMainClass, nullptr) != nullptr; }

bool CMailClientBridge::KeepOutOfSight() {
  wasHidden_ = false;
  wasMinimized_ = false;
  HWND window = FindClientWindow();
  saved_ = WINDOWPLACEMENT{};
  saved_.length = sizeof saved_;
  // A window gone before its placement could be read is left alone: an empty
  // placement put back at the end would hide the client.
  if (window == nullptr || !GetWindowPlacement(window, &saved_)) {
    return false;
  }
  WINDOWPLACEMENT offScreen = saved_;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  offScreen.rcNormalPosition.left = screenWidth + 100;
  offScreen.rcNormalPosition.right = screenWidth - 200;
  if (!IsWindowVisible(window)) {
    wasHidden_ = true;
    Place(window, offScreen);
  } else if (IsIconic(window)) {
    wasMinimized_ = true;
    Place(window, offScreen);
    PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  }
  return true;
}

void CMailClientBridge::PutBack() {
  HWND window = ClientWindow();
  if (wasMinimized_ && window != nullptr) {
    ShowWindow(window, SW_HIDE);
    Place(window, saved_);
    ShowWindow(window, SW_SHOW);
  }
  if (wasHidden_ && window != nullptr) {
    PostCommand(kHideCommand);
    WINDOWPLACEMENT hidden = saved_;
    hidden.showCmd = SW_HIDE;
    Place(window, hidden);
  }
  wasMinimized_ = false;
  wasHidden_ = false;
}

void CMailClientBridge::Place(HWND window, const WINDOWPLACEMENT& placement) {
  WINDOWPLACEMENT place = placement;
  place.length = sizeof place;
  if (SetWindowPlacement(window, &place)) {
    return;
  }
  ShowWindow(window, static_cast<int>(place.showCmd));
  if (!IsIconic(window) && !IsZoomed(window)) {
    const RECT& normal = place.rcNormalPosition;
    SetWindowPos(window, nullptr, normal.left, normal.top, std::max(0L, normal.right - normal.left),
                 std::max(0L, normal.bottom - normal.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
