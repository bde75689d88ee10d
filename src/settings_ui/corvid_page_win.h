// The mail client page: which client program to start, where its data lives
// (the data root) and which account it is left on after a run. A new data
// root reloads the draft's job settings and account titles at once, and the
// sheet passes the change on to the other pages.
#pragma once

#include "settings/settings_draft.h"
#include "win/command_table.h"
#include "win/property_sheet_win.h"

class CCorvidPage : public CPropertyPage {
 public:
  explicit CCorvidPage(SettingsDraft& draft);

 protected:
  bool OnSetActive() override;
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  void RefillAccounts();
  void OnBrowseClient();
  void OnBrowseMailBox();
  void OnClientPathEdited();
  void OnModified();
  static const CommandEntry<CCorvidPage> kCommands[];

  SettingsDraft& draft_;
};
