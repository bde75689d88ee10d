// The send-reservation page: per account, whether reserved mails move to the
// outbox, from which folder, forced into the send-reserved state, with which
// mark, and whether a run starts at once. Edits the draft's job records.
#pragma once

#include "settings_ui/account_record_page_win.h"

class CReservePage : public CAccountRecordPage {
 public:
  explicit CReservePage(SettingsDraft& draft);

 protected:
  bool OnInitDialog() override;
  bool OnApply() override;
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;

  void ApplyEnabling() override;
  std::vector<int> RecordControls() const override;

 private:
  void OnReserveClicked();
  void OnChooseFolder();
  void OnModified();
  static const CommandEntry<CReservePage> kCommands[];
};
