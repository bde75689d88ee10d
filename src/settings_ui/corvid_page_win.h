// The mail client page: which client program to start, where its data lives
// (the data root) and which account it is left on after a run. A new data
// root reloads the sheet's job settings and account titles at once, and the
// sheet passes the change on to the other pages.
#pragma once

#include <string>
#include <vector>

#include "settings/account_job.h"
#include "win/command_table.h"
#include "win/property_sheet_win.h"

class CCorvidPage : public CPropertyPage {
 public:
  CCorvidPage(CAccountJobList& jobs, std::string& mailBoxPath, std::vector<std::string>& titles);

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnApply() override;
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  void RefillAccounts();
  void OnBrowseClient();
  void OnBrowseMailBox();
  void OnClientPathEdited();
  void OnModified();
  static const CommandEntry<CCorvidPage> kCommands[];

  CAccountJobList& jobs_;
  std::string& mailBoxPath_;
  std::vector<std::string>& titles_;
  std::string clientPath_;
  int defMailBox_ = 0;
  std::string account_;
};
