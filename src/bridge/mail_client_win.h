// The mail client driven from outside: its windows (found by class and
// caption), its menu commands and its DDE server.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bridge/account_menu.h"
#include "bridge/mail_client.h"

// How long the bridge waits for the client; tests shorten them.
struct ClientBounds {
  DWORD inputIdleMs = 100000;  // the launched process settling
  DWORD windowMs = 60000;      // its main window appearing
  DWORD listMs = 60000;        // then its mail list
  DWORD exitMs = 30000;        // a client on another mailbox closing
  DWORD commandMs = 60000;     // a sent command being handled
  DWORD queryMs = 5000;        // a menu notification or state query
  DWORD moveMs = 10000;        // a MoveMail being carried out
  DWORD pollMs = 100;
};

class CMailClientBridge : public IMailClient {
 public:
  explicit CMailClientBridge(const ClientBounds& bounds = ClientBounds()) : bounds_(bounds) {}

  bool UsesMailbox(const std::string& dataRoot) override;
  bool Launch(const std::string& program, const std::string& dataRoot) override;
  DismissResult DismissDialogs() override;

  std::string CurrentAccount() override;
  void SwitchAccount(const std::string& title) override;
  void SelectFirstAccount(bool openMenuFirst) override;
  void StartFetch() override;
  void TidyUp() override;
  bool IsFetchDone() override;

  void MarkMail(const std::string& mailPath, std::int32_t mark, int on) override;
  MoveOutcome MoveMail(const std::string& mailPath, const std::string& targetFolder) override;
  bool IsRunning() override;

  bool KeepOutOfSight() override;
  void PutBack() override;

  // The first top-level window, front to back, that passes the main-window
  // test; it is remembered. Without one, what was remembered (if still a window).
  HWND FindClientWindow();
  // The remembered main window while it still is the client's main window,
  // else a fresh search.
  HWND ClientWindow();
  // The client's mail list, in whichever layout the client uses.
  HWND FindClientList();
  // The mailbox directory the client reports; 0 or the DDE error code.
  long ClientMailboxDir(std::string& directory);
  // The accounts of the client's mailbox directory, sorted by directory name;
  // false when the client did not answer.
  bool ListClientAccounts(std::vector<ClientAccount>& accounts);

 private:
  static BOOL CALLBACK TestMainWindow(HWND window, LPARAM param);

  void SendCommand(int id);
  void PostCommand(int id);
  // The menu-open notification for a top-level menu; its handle is null when
  // the menu cannot be read from this process.
  void OpenMenu(HWND window, int position);
  bool ReadFetchItem(HWND window);
  void CloseClient();
  // SetWindowPlacement, or where the system will not place another process's
  // window (Wine), show it and move it.
  static void Place(HWND window, const WINDOWPLACEMENT& placement);
  // Polls until condition holds; false after timeoutMs, or once process has
  // ended without the condition holding.
  template <typename Condition>
  bool WaitFor(Condition condition, DWORD timeoutMs, HANDLE process);

  ClientBounds bounds_;
  HWND remembered_ = nullptr;
  // How KeepOutOfSight found the window, for PutBack.
  WINDOWPLACEMENT saved_{};
  bool wasHidden_ = false;
  bool wasMinimized_ = false;
};
