// Everything the jobs ask of the mail client, behind one interface: the real
// client's windows, menus and DDE server in the program, a fake in tests.
#pragma once

#include <cstdint>
#include <string>

// The client main window's placement, field for field as the system keeps it.
struct ClientPlacement {
  std::uint32_t length = 44;
  std::uint32_t flags = 0;
  std::uint32_t showCommand = 0;
  std::int32_t minX = 0, minY = 0;
  std::int32_t maxX = 0, maxY = 0;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// What DismissDialogs found and cancelled.
enum DismissResult { kNoClientDialog = 0, kMailReceivedDialog = 1, kErrorDialog = 2 };

// What became of a MoveMail: carried out, refused (or not sendable at all),
// or no answer from the client within the bound.
enum class MoveOutcome { kMoved, kRefused, kNoAnswer };

class IMailClient {
 public:
  virtual ~IMailClient() = default;

  // True when the running client reports the mailbox directory of dataRoot;
  // a client on another mailbox is closed and false returned.
  virtual bool UsesMailbox(const std::string& dataRoot) = 0;
  // Starts the client on dataRoot and waits, with a bound, until its mail
  // list exists. An empty program path starts "corvid.exe".
  virtual bool Launch(const std::string& program, const std::string& dataRoot) = 0;
  // Cancels the first "エラー" or "メール受信" window of the client. Also called
  // from the finish-check thread.
  virtual DismissResult DismissDialogs() = 0;

  // The title in the client's caption, or empty.
  virtual std::string CurrentAccount() = 0;
  virtual void SwitchAccount(const std::string& title) = 0;
  virtual void SelectFirstAccount(bool openMenuFirst) = 0;
  virtual void StartFetch() = 0;
  virtual void TidyUp() = 0;
  // True when no fetch runs, or when there is no client window. A state that
  // cannot be read counts as not done.
  virtual bool IsFetchDone() = 0;
  virtual void Hide() = 0;

  // Marks are sent without waiting; a move waits for the client's answer.
  virtual void MarkMail(const std::string& mailPath, std::int32_t mark, int on) = 0;
  virtual MoveOutcome MoveMail(const std::string& mailPath, const std::string& targetFolder) = 0;
  // True while a window of the client's main window class exists, whatever
  // data root it is on and whether or not it answers.
  virtual bool IsRunning() = 0;

  // The client's main window, for the placement kept around a run. (Not
  // "FindWindow": the system headers turn that name into a macro.)
  virtual bool FindMainWindow() = 0;
  virtual bool GetPlacement(ClientPlacement& placement) = 0;
  virtual void SetPlacement(const ClientPlacement& placement) = 0;
  virtual bool IsVisible() = 0;
  virtual bool IsMinimized() = 0;
  // Posts the system command restore to the window.
  virtual void PostRestore() = 0;
  // ShowWindow with a system show command (0 hide, 5 show, ...).
  virtual void Show(int showCommand) = 0;
};
