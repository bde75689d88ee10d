// The two moves checked once a minute: send-reserved mails into the outbox
// (step 2) and held mails into another account's folder (step 1). Both read
// only the folder index and act through the client's own commands.
#include <string>
#include <vector>

#include "client/entry_list.h"
#include "client/mailbox_paths.h"
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
  bool anyDue = false;             // some mail's time is not after the tick
  std::vector<std::string> mails;  // the mails strictly before it, as the client names them
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
      due.mails.push_back(MailPath(accountDir, folder, entries.At(i).fileName));
    }
  }
  return due;
}

// Status bits first, then the mark (cleared, then set), then the move; each
// kind of command for every mail before the next kind begins.
void MarkAndMove(IMailClient& client, const std::vector<std::string>& mails, std::int32_t statusBits,
                 int mark, const std::string& target) {
  if (statusBits != 0) {
    for (const std::string& mail : mails) client.MarkMail(mail, statusBits, 1);
  }
  if (IsMark(mark)) {
    for (const std::string& mail : mails) client.MarkMail(mail, kMarkBits, 0);
    for (const std::string& mail : mails) client.MarkMail(mail, mark, 1);
  }
  for (const std::string& mail : mails) client.MoveMail(mail, target);
}

}  // namespace

void CJobSequencer::StepSendReservation() {
  std::string mailBoxPath;
  bool readable = false;
  {
    CSettingsKey root;
    readable = root.ReadStringInto(layout::kMailBoxPath.name, mailBoxPath);
  }
  std::vector<std::string> sendNow;
  for (std::size_t i = 0; readable && i < jobs_.Count(); ++i) {
    const CAccountJob& record = jobs_.At(i);
    const CReserveData& reserve = record.reserve;
    if (reserve.Reserve == 0) {
      continue;
    }
    const DueFolder due = ReadDue(mailBoxPath, record.directory, reserve.ReserveFolder, tickTime_);
    if (!due.anyDue) {
      continue;
    }
    // Mail paths are relative to the data root: a client on another one would
    // act on mails of its own that happen to bear the same names.
    if (!EnsureClient(mailBoxPath)) {
      break;
    }
    MarkAndMove(client_, due.mails, reserve.SendCheck != 0 ? kSendReservedBits : 0,
                reserve.ReserveMark, OutboxFolder(record.directory));
    if (record.ReserveSend != 0 && !due.mails.empty()) {
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
  bool readable = false;
  {
    CSettingsKey root;
    readable = root.ReadStringInto(layout::kMailBoxPath.name, mailBoxPath);
  }
  for (std::size_t i = 0; readable && i < jobs_.Count(); ++i) {
    const CAccountJob& record = jobs_.At(i);
    const CReserveData& remain = record.reserve;
    if (remain.Remain == 0) {
      continue;
    }
    // A folder forwarded onto itself would name the same mails every minute.
    if (cp932::EqualsIgnoreAsciiCase(remain.RemainFromAccount, record.directory) &&
        cp932::EqualsIgnoreAsciiCase(remain.RemainFromFolder, remain.RemainToFolder)) {
      continue;
    }
    const DueFolder due =
        ReadDue(mailBoxPath, remain.RemainFromAccount, remain.RemainFromFolder, tickTime_);
    if (!due.anyDue) {
      continue;
    }
    if (!EnsureClient(mailBoxPath)) {
      break;
    }
    MarkAndMove(client_, due.mails, remain.UnReadCheck != 0 ? kUnreadBits : 0, remain.RemainMark,
                record.directory + "\\" + remain.RemainToFolder);
  }
  client_.DismissDialogs();
  ContinueWith(ID_REMAIN_FIN, 1);
}
