#include "jobs/pending_mails.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "data_dir/entry_list.h"
#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "text/mail_subject.h"

namespace {

constexpr std::size_t kHeaderBytes = 16 * 1024;
constexpr std::time_t kOverdueSeconds = 120;

std::string ReadHeader(const std::string& path) {
  std::FILE* file = std::fopen(filesys::NativePath(path).c_str(), "rb");
  if (file == nullptr) {
    return std::string();
  }
  std::string header(kHeaderBytes, '\0');
  header.resize(std::fread(&header[0], 1, header.size(), file));
  std::fclose(file);
  return header;
}

void AddFolder(const std::string& dataRoot, const std::string& accountDir, const std::string& folder,
               const PendingMail& kind, std::time_t now, std::vector<PendingMail>& mails) {
  CEntryList entries;
  entries.Load(EntryListPath(dataRoot, accountDir, folder));
  for (std::size_t i = 0; i < entries.Count(); ++i) {
    PendingMail mail = kind;
    const CMailEntry& entry = entries.At(i);
    mail.due = entry.time;
    mail.mail = MailPath(accountDir, folder, entry.fileName);
    mail.subject = DecodeSubject(ReadHeader(JoinPath(FolderDirectory(dataRoot, accountDir, folder), entry.fileName)));
    if (mail.subject.empty()) mail.subject = entry.fileName;
    mail.overdue = entry.time < now - kOverdueSeconds;
    mails.push_back(mail);
  }
}

}  // namespace

std::vector<PendingMail> ListPendingMails(const std::string& dataRoot, const CAccountJobList& jobs, std::time_t now) {
  std::vector<PendingMail> mails;
  // Without a data root the paths would name a mailbox below the current directory.
  if (dataRoot.empty()) {
    return mails;
  }
  for (std::size_t i = 0; i < jobs.Count(); ++i) {
    const CAccountJob& record = jobs.At(i);
    const CReserveData& reserve = record.reserve;
    if (reserve.Reserve != 0 && !reserve.ReserveFolder.empty()) {
      PendingMail kind;
      kind.account = record.title;
      kind.target = record.directory + "\\" + kOutboxFolder;
      AddFolder(dataRoot, record.directory, reserve.ReserveFolder, kind, now, mails);
    }
    if (reserve.Remain != 0 && !reserve.RemainFromAccount.empty() && !reserve.RemainFromFolder.empty()) {
      PendingMail kind;
      kind.forwarding = true;
      kind.account = record.title;
      kind.target = record.directory + "\\" + reserve.RemainToFolder;
      AddFolder(dataRoot, reserve.RemainFromAccount, reserve.RemainFromFolder, kind, now, mails);
    }
  }
  std::stable_sort(mails.begin(), mails.end(), [](const PendingMail& a, const PendingMail& b) {
    return std::tie(a.due, a.mail) < std::tie(b.due, b.mail);
  });
  return mails;
}
