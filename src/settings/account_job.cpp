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

// The stored fields of a record, key by key: Accounts\<directory> itself,
// its ReserveData and its Command.
const layout::Field<CAccountJob> kAccountFields[] = {
    {layout::kReserveSend, &CAccountJob::ReserveSend},
};

const layout::Field<CReserveData> kReserveFields[] = {
    {layout::kReserve, &CReserveData::Reserve},
    {layout::kReserveFolder, &CReserveData::ReserveFolder},
    {layout::kSendCheck, &CReserveData::SendCheck},
    {layout::kReserveMark, &CReserveData::ReserveMark},
    {layout::kRemain, &CReserveData::Remain},
    {layout::kRemainFromAccount, &CReserveData::RemainFromAccount},
    {layout::kRemainFromFolder, &CReserveData::RemainFromFolder},
    {layout::kRemainToFolder, &CReserveData::RemainToFolder},
    {layout::kUnReadCheck, &CReserveData::UnReadCheck},
    {layout::kRemainMark, &CReserveData::RemainMark},
};

const layout::Field<CCommandData> kCommandFields[] = {
    {layout::kPreTidyUp, &CCommandData::PreTidyUp},
    {layout::kPostTidyUp, &CCommandData::PostTidyUp},
    {layout::kExecCommand, &CCommandData::ExecCommand},
    {layout::kCommandName, &CCommandData::CommandName},
    {layout::kParamMailBox, &CCommandData::ParamMailBox},
    {layout::kMailBoxSwitch, &CCommandData::MailBoxSwitch},
    {layout::kParamAccount, &CCommandData::ParamAccount},
    {layout::kAccountSwitch, &CCommandData::AccountSwitch},
};

void SaveRecord(const CRegistryKey& accounts, const CAccountJob& job) {
  CRegistryKey account;
  account.Create(accounts, job.directory);
  layout::WriteFields(account, kAccountFields, job);
  CRegistryKey reserve;
  reserve.Create(account, layout::kReserveDataKey);
  layout::WriteFields(reserve, kReserveFields, job.reserve);
  CRegistryKey command;
  command.Create(account, layout::kCommandKey);
  layout::WriteFields(command, kCommandFields, job.command);
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
      layout::ReadFields(account, kAccountFields, *job);
      CRegistryKey reserve;
      if (reserve.Open(account, layout::kReserveDataKey)) {
        layout::ReadFields(reserve, kReserveFields, job->reserve);
        RefreshDerivedTitles(*job, mailBoxPath);
      }
      CRegistryKey command;
      if (command.Open(account, layout::kCommandKey)) {
        layout::ReadFields(command, kCommandFields, job->command);
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
