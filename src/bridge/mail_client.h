// Everything the jobs ask of the mail client, behind one interface, in the
// words of the task: the real client's windows, menus and DDE server in the
// program, a fake in tests.
#pragma once

#include <cstdint>
#include <string>

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
  // True while a window of the client's main window class exists, whatever
  // data root it is on and whether or not it answers.
  virtual bool IsRunning() = 0;
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

  // Marks are sent without waiting; a move waits for the client's answer.
  virtual void MarkMail(const std::string& mailPath, std::int32_t mark, int on) = 0;
  virtual MoveOutcome MoveMail(const std::string& mailPath, const std::string& targetFolder) = 0;

  // Keeps the client's main window out of sight for a run: a hidden window
  // stays hidden and a minimised one comes up off the screen, each to be put
  // back afterwards; a window in plain view stays as it is. False when there
  // is no main window or its placement cannot be read.
  virtual bool KeepOutOfSight() = 0;
  // Puts the window back as KeepOutOfSight found it.
  virtual void PutBack() = 0;
};
