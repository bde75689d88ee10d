// The two moves checked once a minute: send-reserved mails into the outbox
// (step 2) and held mails into another account's folder (step 1). Both read
// only the folder index and act through the client's own commands.
//
// Within one minute's chain a mail is named in at most one move, and a mail
// that a move has just brought into a folder is not moved on from there. Only
// mails the client really moved count: a mail it refused stays where it is,
// is tried again next minute, and never pulls a run forward on its own.
#include <algorithm>
#include <string>
#include <vector>

#include "bridge/client_commands.h"
#include "data_dir/entry_list.h"
#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "jobs/job_sequencer.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "text/cp932.h"

namespace {

constexpr std::int32_t kSendReservedBits = static_cast<std::int32_t>(0xC1000000u);
constexpr std::int32_t kUnreadBits = 0x40000000;
constexpr std::int32_t kMarkBits = 7;

bool IsMark(int mark) { return mark >= 1 && mark <= 7; }

struct DueFolder {
  bool anyDue = false;                 // some mail's time is not after the tick
  std::vector<std::string> fileNames;  // the mails strictly before it
};

DueFolder ReadDue(const std::string& dataRoot, const std::string& accountDir,
                  const std::string& folder, std::time_t tick) {
  DueFolder due;
  const std::string index = EntryListPath(dataRoot, accountDir, folder);
  // Most minutes find nothing due: answer that without building the list.
  if (!CEntryList::AnyDueIn(index, tick)) {
    return due;
  }
  CEntryList entries;
  entries.Load(index);
  due.anyDue = entries.AnyDue(tick);
  for (std::size_t i = 0; i < entries.Count(); ++i) {
    if (entries.At(i).IsDue(tick)) {
      due.fileNames.push_back(entries.At(i).fileName);
    }
  }
  return due;
}

// A folder the client can be asked to move mails into: a name that can stand
// in a command, and a folder that is there.
bool IsUsableTarget(const std::string& dataRoot, const std::string& accountDir,
                    const std::string& folder) {
  return !folder.empty() && IsSafeCommandArgument(accountDir + "\\" + folder) &&
         filesys::DirectoryExists(FolderDirectory(dataRoot, accountDir, folder));
}

bool ReadDataRoot(std::string& dataRoot) {
  CSettingsKey root;
  return root.ReadStringInto(layout::kMailBoxPath.name, dataRoot);
}

}  // namespace

int CJobSequencer::MarkAndMove(const std::string& accountDir, const std::string& folder,
                               const std::vector<std::string>& fileNames, std::int32_t statusBits,
                               int mark, const std::string& targetAccountDir,
                               const std::string& targetFolder) {
  // Only mails whose every command can be sent, and none already named in
  // this chain (nor twice in one index): no mark without its move.
  std::vector<std::string> names;
  std::vector<std::string> mails;
  for (const std::string& name : fileNames) {
    const std::string mail = MailPath(accountDir, folder, name);
    if (IsSafeCommandArgument(mail) && namedInChain_.insert(cp932::FoldAscii(mail)).second) {
      names.push_back(name);
      mails.push_back(mail);
    }
  }
  // Status bits first, then the mark (cleared, then set), then the move; each
  // kind of command for every mail before the next kind begins.
  if (statusBits != 0) {
    for (const std::string& mail : mails) client_.MarkMail(mail, statusBits, 1);
  }
  if (IsMark(mark)) {
    for (const std::string& mail : mails) client_.MarkMail(mail, kMarkBits, 0);
    for (const std::string& mail : mails) client_.MarkMail(mail, mark, 1);
  }
  const std::string target = targetAccountDir + "\\" + targetFolder;
  int moved = 0;
  for (std::size_t i = 0; i < mails.size() && !clientSilent_; ++i) {
    switch (client_.MoveMail(mails[i], target)) {
      case MoveOutcome::kMoved:
        ++moved;
        namedInChain_.insert(cp932::FoldAscii(MailPath(targetAccountDir, targetFolder, names[i])));
        break;
      case MoveOutcome::kRefused:
        break;
      case MoveOutcome::kNoAnswer:
        // Every further command would wait for its bound as well.
        clientSilent_ = true;
        break;
    }
  }
  return moved;
}

void CJobSequencer::StepSendReservation() {
  // Step 2 opens the minute's chain.
  namedInChain_.clear();
  clientSilent_ = false;
  std::string mailBoxPath;
  const bool readable = ReadDataRoot(mailBoxPath);
  // A data root that could not be read before (a drive not there yet) may be
  // there by now.
  if (readable && !jobs_.Scanned()) {
    jobs_.Load(mailBoxPath);
  }
  std::vector<std::string> sendNow;
  for (std::size_t i = 0; readable && !clientSilent_ && i < jobs_.Count(); ++i) {
    const CAccountJob& record = jobs_.At(i);
    const CReserveData& reserve = record.reserve;
    if (reserve.Reserve == 0 || reserve.ReserveFolder.empty()) {
      continue;
    }
    const DueFolder due = ReadDue(mailBoxPath, record.directory, reserve.ReserveFolder, tickTime_);
    if (!due.anyDue || !IsUsableTarget(mailBoxPath, record.directory, kOutboxFolder)) {
      continue;
    }
    // Mail paths are relative to the data root: a client on another one would
    // act on mails of its own that happen to bear the same names.
    if (!EnsureClient(mailBoxPath)) {
      break;
    }
    const int moved = MarkAndMove(record.directory, reserve.ReserveFolder, due.fileNames,
                                  reserve.SendCheck != 0 ? kSendReservedBits : 0,
                                  reserve.ReserveMark, record.directory, kOutboxFolder);
    if (record.ReserveSend != 0 && moved > 0) {
      sendNow.push_back(record.title);
    }
  }
  if (!sendNow.empty()) {
    // Run in this very minute, and for the accounts whose mails just moved.
    SetNextRunToTick();
    for (const std::string& title : sendNow) {
      const bool listed = std::any_of(nextRun_.accounts.begin(), nextRun_.accounts.end(),
                                      [&title](const std::string& account) {
                                        return cp932::EqualsIgnoreAsciiCase(account, title);
                                      });
      if (!listed) {
        nextRun_.accounts.push_back(title);
      }
    }
  }
  client_.DismissDialogs();
  ContinueWith(ID_RESERVE_FIN, 2);
}

void CJobSequencer::StepForwarding() {
  std::string mailBoxPath;
  const bool readable = ReadDataRoot(mailBoxPath);
  for (std::size_t i = 0; readable && !clientSilent_ && i < jobs_.Count(); ++i) {
    const CAccountJob& record = jobs_.At(i);
    const CReserveData& remain = record.reserve;
    if (remain.Remain == 0 || remain.RemainFromAccount.empty() || remain.RemainFromFolder.empty()) {
      continue;
    }
    // A folder forwarded onto itself would name the same mails every minute.
    if (cp932::EqualsIgnoreAsciiCase(remain.RemainFromAccount, record.directory) &&
        cp932::EqualsIgnoreAsciiCase(remain.RemainFromFolder, remain.RemainToFolder)) {
      continue;
    }
    const DueFolder due =
        ReadDue(mailBoxPath, remain.RemainFromAccount, remain.RemainFromFolder, tickTime_);
    if (!due.anyDue || !IsUsableTarget(mailBoxPath, record.directory, remain.RemainToFolder)) {
      continue;
    }
    if (!EnsureClient(mailBoxPath)) {
      break;
    }
    MarkAndMove(remain.RemainFromAccount, remain.RemainFromFolder, due.fileNames,
                remain.UnReadCheck != 0 ? kUnreadBits : 0, remain.RemainMark, record.directory,
                remain.RemainToFolder);
  }
  client_.DismissDialogs();
  ContinueWith(ID_REMAIN_FIN, 1);
}
