#include "jobs/timed_moves.h"

#include "bridge/client_commands.h"
#include "data_dir/entry_list.h"
#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
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

// One folder's due mails and where they go.
struct FolderMove {
  std::string accountDir;
  std::string folder;
  std::vector<std::string> fileNames;
  std::int32_t statusBits;
  int mark;
  std::string targetAccountDir;
  std::string targetFolder;
  std::string title;       // of the record the move is for
  RunEventKind movedKind;  // what a mail moved is told as
};

// Marks and moves the mails of one folder; the number the client moved.
int MarkAndMove(const FolderMove& move, const TimedMoves& moves) {
  IMailClient& client = moves.client;
  MoveChain& chain = moves.chain;
  // Only mails whose every command can be sent, and none already named in
  // this chain (nor twice in one index): no mark without its move.
  std::vector<std::string> names;
  std::vector<std::string> mails;
  for (const std::string& name : move.fileNames) {
    const std::string mail = MailPath(move.accountDir, move.folder, name);
    if (!IsSafeCommandArgument(mail)) {
      moves.report({RunEventKind::kMailUnnamable, move.title, mail});
    } else if (chain.named.insert(cp932::FoldAscii(mail)).second) {
      names.push_back(name);
      mails.push_back(mail);
    }
  }
  // Status bits first, then the mark (cleared, then set), then the move; each
  // kind of command for every mail before the next kind begins.
  if (move.statusBits != 0) {
    for (const std::string& mail : mails) client.MarkMail(mail, move.statusBits, 1);
  }
  if (IsMark(move.mark)) {
    for (const std::string& mail : mails) client.MarkMail(mail, kMarkBits, 0);
    for (const std::string& mail : mails) client.MarkMail(mail, move.mark, 1);
  }
  const std::string target = move.targetAccountDir + "\\" + move.targetFolder;
  int moved = 0;
  for (std::size_t i = 0; i < mails.size() && !chain.clientSilent; ++i) {
    switch (client.MoveMail(mails[i], target)) {
      case MoveOutcome::kMoved:
        ++moved;
        chain.named.insert(cp932::FoldAscii(MailPath(move.targetAccountDir, move.targetFolder, names[i])));
        moves.report({move.movedKind, move.title, mails[i],
                      move.movedKind == RunEventKind::kHeldMailForwarded ? target : std::string()});
        break;
      case MoveOutcome::kRefused:
        moves.report({RunEventKind::kMailRefused, move.title, mails[i]});
        break;
      case MoveOutcome::kNoAnswer:
        // Every further command would wait for its bound as well.
        chain.clientSilent = true;
        moves.report({RunEventKind::kClientSilent, move.title, mails[i]});
        break;
    }
  }
  return moved;
}

}  // namespace

std::vector<std::string> SendReservedMails(const TimedMoves& moves) {
  std::vector<std::string> sendNow;
  for (std::size_t i = 0; !moves.chain.clientSilent && i < moves.jobs.Count(); ++i) {
    const CAccountJob& record = moves.jobs.At(i);
    const CReserveData& reserve = record.reserve;
    if (reserve.Reserve == 0 || reserve.ReserveFolder.empty()) {
      continue;
    }
    DueFolder due = ReadDue(moves.dataRoot, record.directory, reserve.ReserveFolder, moves.tick);
    if (!due.anyDue || !IsUsableTarget(moves.dataRoot, record.directory, kOutboxFolder)) {
      continue;
    }
    // Mail paths are relative to the data root: a client on another one would
    // act on mails of its own that happen to bear the same names.
    if (!moves.ensureClient()) {
      break;
    }
    const int moved = MarkAndMove({record.directory, reserve.ReserveFolder, std::move(due.fileNames),
                                   reserve.SendCheck != 0 ? kSendReservedBits : 0, reserve.ReserveMark,
                                   record.directory, kOutboxFolder, record.title, RunEventKind::kReservedMailSent},
                                  moves);
    if (record.ReserveSend != 0 && moved > 0) {
      sendNow.push_back(record.title);
    }
  }
  return sendNow;
}

void ForwardHeldMails(const TimedMoves& moves) {
  for (std::size_t i = 0; !moves.chain.clientSilent && i < moves.jobs.Count(); ++i) {
    const CAccountJob& record = moves.jobs.At(i);
    const CReserveData& remain = record.reserve;
    if (remain.Remain == 0 || remain.RemainFromAccount.empty() || remain.RemainFromFolder.empty()) {
      continue;
    }
    // A folder forwarded onto itself would name the same mails every minute.
    if (cp932::EqualsIgnoreAsciiCase(remain.RemainFromAccount, record.directory) &&
        cp932::EqualsIgnoreAsciiCase(remain.RemainFromFolder, remain.RemainToFolder)) {
      continue;
    }
    DueFolder due = ReadDue(moves.dataRoot, remain.RemainFromAccount, remain.RemainFromFolder, moves.tick);
    if (!due.anyDue || !IsUsableTarget(moves.dataRoot, record.directory, remain.RemainToFolder)) {
      continue;
    }
    if (!moves.ensureClient()) {
      break;
    }
    MarkAndMove({remain.RemainFromAccount, remain.RemainFromFolder, std::move(due.fileNames),
                 remain.UnReadCheck != 0 ? kUnreadBits : 0, remain.RemainMark, record.directory,
                 remain.RemainToFolder, record.title, RunEventKind::kHeldMailForwarded},
                moves);
  }
}
