#include "settings/account_job.h"

#include <new>

#include "data_dir/data_directory.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "text/cp932.h"

namespace {

std::function<void()>& OutOfMemoryHandler() {
  static std::function<void()> handler;
  return handler;
}

CAccountJob* AllocateWithNew() { return new (std::nothrow) CAccountJob; }

JobRecordAllocator& Allocator() {
  static JobRecordAllocator allocator = AllocateWithNew;
  return allocator;
}

std::unique_ptr<CAccountJob> NewRecord() {
  std::unique_ptr<CAccountJob> record(Allocator()());
  if (!record && OutOfMemoryHandler()) {
    OutOfMemoryHandler()();
  }
  return record;
}

void LoadReserveData(const CRegistryKey& key, const std::string& dataRoot, CAccountJob& job) {
  CReserveData& data = job.reserve;
  data.Reserve = layout::Read(key, layout::kReserve);
  data.ReserveFolder = layout::Read(key, layout::kReserveFolder);
  data.SendCheck = layout::Read(key, layout::kSendCheck);
  data.ReserveMark = layout::Read(key, layout::kReserveMark);
  data.Remain = layout::Read(key, layout::kRemain);
  data.RemainFromAccount = layout::Read(key, layout::kRemainFromAccount);
  data.RemainFromFolder = layout::Read(key, layout::kRemainFromFolder);
  data.RemainToFolder = layout::Read(key, layout::kRemainToFolder);
  data.UnReadCheck = layout::Read(key, layout::kUnReadCheck);
  data.RemainMark = layout::Read(key, layout::kRemainMark);
  RefreshDerivedTitles(job, dataRoot);
}

void LoadCommandData(const CRegistryKey& key, CCommandData& data) {
  data.PreTidyUp = layout::Read(key, layout::kPreTidyUp);
  data.PostTidyUp = layout::Read(key, layout::kPostTidyUp);
  data.ExecCommand = layout::Read(key, layout::kExecCommand);
  data.CommandName = layout::Read(key, layout::kCommandName);
  data.ParamMailBox = layout::Read(key, layout::kParamMailBox);
  data.MailBoxSwitch = layout::Read(key, layout::kMailBoxSwitch);
  data.ParamAccount = layout::Read(key, layout::kParamAccount);
  data.AccountSwitch = layout::Read(key, layout::kAccountSwitch);
}

void SaveRecord(const CRegistryKey& accounts, const CAccountJob& job) {
  CRegistryKey account;
  account.Create(accounts, job.directory);
  layout::Write(account, layout::kReserveSend, job.ReserveSend);

  const CReserveData& reserve = job.reserve;
  CRegistryKey reserveKey;
  reserveKey.Create(account, layout::kReserveDataKey);
  layout::Write(reserveKey, layout::kReserve, reserve.Reserve);
  layout::Write(reserveKey, layout::kReserveFolder, reserve.ReserveFolder);
  layout::Write(reserveKey, layout::kSendCheck, reserve.SendCheck);
  layout::Write(reserveKey, layout::kReserveMark, reserve.ReserveMark);
  layout::Write(reserveKey, layout::kRemain, reserve.Remain);
  layout::Write(reserveKey, layout::kRemainFromAccount, reserve.RemainFromAccount);
  layout::Write(reserveKey, layout::kRemainFromFolder, reserve.RemainFromFolder);
  layout::Write(reserveKey, layout::kRemainToFolder, reserve.RemainToFolder);
  layout::Write(reserveKey, layout::kUnReadCheck, reserve.UnReadCheck);
  layout::Write(reserveKey, layout::kRemainMark, reserve.RemainMark);

  const CCommandData& command = job.command;
  CRegistryKey commandKey;
  commandKey.Create(account, layout::kCommandKey);
  layout::Write(commandKey, layout::kPreTidyUp, command.PreTidyUp);
  layout::Write(commandKey, layout::kPostTidyUp, command.PostTidyUp);
  layout::Write(commandKey, layout::kExecCommand, command.ExecCommand);
  layout::Write(commandKey, layout::kCommandName, command.CommandName);
  layout::Write(commandKey, layout::kParamMailBox, command.ParamMailBox);
  layout::Write(commandKey, layout::kMailBoxSwitch, command.MailBoxSwitch);
  layout::Write(commandKey, layout::kParamAccount, command.ParamAccount);
  layout::Write(commandKey, layout::kAccountSwitch, command.AccountSwitch);
}

}  // namespace

void SetOutOfMemoryHandler(std::function<void()> handler) {
  OutOfMemoryHandler() = std::move(handler);
}

void SetJobRecordAllocator(JobRecordAllocator allocator) {
  Allocator() = allocator != nullptr ? allocator : AllocateWithNew;
}

bool CAccountJobList::Load(const std::string& mailBoxPath) {
  Clear();
  CSettingsKey root;
  CRegistryKey accounts;
  accounts.Open(root, layout::kAccountsKey);

  const AccountScan scan = ListAccounts(mailBoxPath);
  scanned_ = scan.readable;
  for (std::size_t i = 0; i < scan.directories.size(); ++i) {
    if (scan.directories[i].empty()) {
      continue;
    }
    std::unique_ptr<CAccountJob> job = NewRecord();
    if (!job) {
      return false;
    }
    job->directory = scan.directories[i];
    job->title = scan.titles[i];
    job->useDialUp = ReadAccountDialUp(mailBoxPath, job->directory, job->dialUpEntry);

    CRegistryKey account;
    if (account.Open(accounts, job->directory)) {
      job->ReserveSend = layout::Read(account, layout::kReserveSend);
      CRegistryKey reserve;
      if (reserve.Open(account, layout::kReserveDataKey)) {
        LoadReserveData(reserve, mailBoxPath, *job);
      }
      CRegistryKey command;
      if (command.Open(account, layout::kCommandKey)) {
        LoadCommandData(command, job->command);
      }
    }
    records_.push_back(std::move(job));
  }
  return true;
}

void CAccountJobList::Save() const {
  CSettingsKey root;
  // Accounts the scan positively no longer finds are dropped; accounts of a
  // mailbox that could not be read are not.
  if (scanned_) {
    root.DeleteTree(layout::kAccountsKey);
  }
  CRegistryKey accounts;
  if (!accounts.Create(root, layout::kAccountsKey)) {
    return;
  }
  for (const std::unique_ptr<CAccountJob>& job : records_) {
    SaveRecord(accounts, *job);
  }
}

bool CAccountJobList::Assign(const CAccountJobList& other) {
  if (&other == this) {
    return true;
  }
  Clear();
  scanned_ = other.scanned_;
  for (const std::unique_ptr<CAccountJob>& source : other.records_) {
    std::unique_ptr<CAccountJob> copy = NewRecord();
    if (!copy) {
      return false;
    }
    *copy = *source;
    records_.push_back(std::move(copy));
  }
  return true;
}

CAccountJob* CAccountJobList::FindByTitle(const std::string& title,
                                          const std::string* directory) const {
  for (const std::unique_ptr<CAccountJob>& job : records_) {
    if (cp932::EqualsIgnoreAsciiCase(job->title, title) ||
        (directory != nullptr && cp932::EqualsIgnoreAsciiCase(job->directory, *directory))) {
      return job.get();
    }
  }
  return nullptr;
}

void RefreshDerivedTitles(CAccountJob& job, const std::string& dataRoot) {
  CReserveData& data = job.reserve;
  data.reserveFolderTitle = ReadFolderTitle(dataRoot, job.directory, data.ReserveFolder);
  data.remainFromAccountTitle = ReadAccountTitle(dataRoot, data.RemainFromAccount);
  data.remainFromFolderTitle = ReadFolderTitle(dataRoot, data.RemainFromAccount, data.RemainFromFolder);
  data.remainToFolderTitle = ReadFolderTitle(dataRoot, job.directory, data.RemainToFolder);
}
