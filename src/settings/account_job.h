// One job record per mail client account: send reservation, forwarding, sorting
// and the after-fetch program, stored below Accounts\<account directory>.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Fields named as their registry values are stored; the titles are derived from the
// client's files at load and never stored.
struct CReserveData {
  int Reserve = 0;
  std::string ReserveFolder;
  std::string reserveFolderTitle;
  int SendCheck = 0;
  int ReserveMark = 0;
  int Remain = 0;
  std::string RemainFromAccount;
  std::string remainFromAccountTitle;
  std::string RemainFromFolder;
  std::string remainFromFolderTitle;
  std::string RemainToFolder;
  std::string remainToFolderTitle;
  int UnReadCheck = 0;
  int RemainMark = 0;
};

struct CCommandData {
  int PreTidyUp = 0;
  int PostTidyUp = 0;
  int ExecCommand = 0;
  std::string CommandName;
  int ParamMailBox = 0;
  std::string MailBoxSwitch;
  int ParamAccount = 0;
  std::string AccountSwitch;
};

class CAccountJob {
 public:
  virtual ~CAccountJob() = default;

  std::string directory;   // account directory name: the record's key
  std::string title;       // as the account scan lists it
  int useDialUp = 0;       // Account.ini UseRAS
  std::string dialUpEntry; // Account.ini RASProvider
  CReserveData reserve;
  CCommandData command;
  int ReserveSend = 0;
};

class CAccountJobList {
 public:
  CAccountJobList() = default;
  CAccountJobList(const CAccountJobList&) = delete;
  CAccountJobList& operator=(const CAccountJobList&) = delete;

  // One record per account of the data root's mailbox, in scan order, with
  // the stored settings of each; false only when memory ran out.
  bool Load(const std::string& mailBoxPath);
  // Rewrites the Accounts key from the list. Stored records the list has
  // not seen because the mailbox could not be read are kept, so a data root
  // that is away for a while never costs its accounts their settings.
  void Save() const;
  // False after a Load whose mailbox could not be read.
  bool Scanned() const { return scanned_; }
  // Makes this list a deep copy of other; false only when memory ran out.
  bool Assign(const CAccountJobList& other);
  void Clear() { records_.clear(); }
  void Append(const CAccountJob& record) { records_.push_back(std::make_unique<CAccountJob>(record)); }

  // The first record whose title equals title, or whose directory equals
  // directory when one is given; ASCII case ignored. nullptr when none.
  CAccountJob* FindByTitle(const std::string& title, const std::string* directory = nullptr) const;

  std::size_t Count() const { return records_.size(); }
  CAccountJob& At(std::size_t index) const { return *records_[index]; }

 private:
  std::vector<std::unique_ptr<CAccountJob>> records_;
  bool scanned_ = true;
};

// Recomputes the reserve folder title and the three forwarding titles of job
// from its stored fields and the client's files below dataRoot.
void RefreshDerivedTitles(CAccountJob& job, const std::string& dataRoot);

// Called when Load or Assign cannot allocate a record, before they stop with
// false and keep the records made so far; the program tells the user and
// closes. An empty handler does nothing.
void SetOutOfMemoryHandler(std::function<void()> handler);

// Makes the records: new (std::nothrow) unless a test puts another allocator
// in place; nullptr puts the default back.
using JobRecordAllocator = CAccountJob* (*)();
void SetJobRecordAllocator(JobRecordAllocator allocator);
