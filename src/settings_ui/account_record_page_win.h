// A settings page that edits one job record at a time: the record of the
// account chosen in its account list (1004), whose items carry their records.
//
// The controls exchange their values with that record itself. Whatever is on
// screen goes into it before another record is shown (list opened, selection
// changed by mouse or keyboard) and when the page is left; every activation
// starts again from the first record.
#pragma once

#include <string>
#include <vector>

#include "settings/account_job.h"
#include "settings/settings_draft.h"
#include "win/command_table.h"
#include "win/property_sheet_win.h"

class CAccountRecordPage : public CPropertyPage {
 public:
  CAccountRecordPage(int templateId, SettingsDraft& draft);

  // The draft reloaded the job settings for another data root: the old
  // records are gone; the first new record is shown.
  void ReloadAccounts();

 protected:
  // Enables the controls that depend on the page's own switches.
  virtual void ApplyEnabling() = 0;
  // The controls besides the list that need a record to be useful.
  virtual std::vector<int> RecordControls() const = 0;

  bool OnSetActive() override;
  bool OnCommand(int id, int code) override;
  // Shows the data root; the pages exchange the record's fields after it.
  void DoDataExchange(CDataExchange& dx) override;

  // The record on screen, or without accounts a blank one that is never stored.
  CAccountJob& Record() { return loaded_ != nullptr ? *loaded_ : blank_; }
  CAccountJob* LoadedRecord() const { return loaded_; }
  // Shows record, which must be one of the list's, as the selected account.
  void ShowRecord(CAccountJob* record);
  // Apply found a folder missing in record: tells the user, brings the page
  // with that record to the front and has the chooser of button open next.
  void AskForFolder(CAccountJob& record, const char* caption, const char* message, int button);
  // True when folderPath names a folder directory of the account directory
  // accountDir below the data root.
  bool FolderExists(const std::string& accountDir, const std::string& folderPath) const;
  // A folder as the page shows it: its title, or its directory name when it
  // has none; nothing when it does not exist.
  std::string FolderText(const std::string& accountDir, const std::string& folderPath,
                         const std::string& title) const;
  // Lets the user choose a folder of the loaded record's own account for its
  // folder field; a choice is shown and marks the page modified.
  void ChooseOwnFolder(std::string CReserveData::*folder);

  CAccountJobList& jobs_;
  const std::string& mailBoxPath_;

 private:
  void RefillList();
  CAccountJob* SelectedItemRecord() const;
  void ShowSelected();
  void OnListDropDown();
  void OnListSelectionChange();

  static const CommandEntry<CAccountRecordPage> kCommands[];
  CAccountJob* loaded_ = nullptr;
  CAccountJob blank_;
};
