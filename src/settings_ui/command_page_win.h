// The command page: per account, sorting before and after the fetch and a
// program run after it with its arguments. Edits the draft's job records.
#pragma once

#include "settings_ui/account_record_page_win.h"

class CCommandPage : public CAccountRecordPage {
 public:
  explicit CCommandPage(SettingsDraft& draft);

 protected:
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;

  void ApplyEnabling() override;
  std::vector<int> RecordControls() const override;

 private:
  void OnSwitchClicked();
  void OnBrowse();
  void OnModified();
  static const CommandEntry<CCommandPage> kCommands[];
};
