// The forwarding page: per account, whether mails parked in a folder of some
// account move into a folder of this one, forced unread, with which mark.
// Edits the draft's job records.
#pragma once

#include "settings_ui/account_record_page_win.h"

class CRemainPage : public CAccountRecordPage {
 public:
  explicit CRemainPage(SettingsDraft& draft);

 protected:
  bool OnInitDialog() override;
  bool OnApply() override;
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;

  void ApplyEnabling() override;
  std::vector<int> RecordControls() const override;

 private:
  void OnRemainClicked();
  void OnChooseSource();
  void OnChooseDestination();
  void OnModified();
  static const CommandEntry<CRemainPage> kCommands[];
};
