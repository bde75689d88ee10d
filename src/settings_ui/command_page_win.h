// The command page: per account, sorting before and after the fetch and a
// program run after it with its arguments. Edits the draft's job records.
#pragma once

#include "settings_ui/account_record_page_win.h"

class CCommandPage : public CAccountRecordPage {
 public:
  explicit CCommandPage(SettingsDraft& draft);

 protected:
  bool OnApply() override;
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;

  void LoadRecord(const CAccountJob& job) override;
  void StoreRecord(CAccountJob& job) override;
  void ApplyEnabling() override;
  std::vector<int> RecordControls() const override;

 private:
  void OnSwitchClicked();
  void OnBrowse();
  void OnModified();
  static const CommandEntry<CCommandPage> kCommands[];

  std::string program_;
  int runProgram_ = 0;
  std::string mailBoxSwitch_;
  std::string accountSwitch_;
  int passAccount_ = 0;
  int passMailBox_ = 0;
  int sortBefore_ = 0;
  int sortAfter_ = 0;
};
