#include "settings_ui/command_page_win.h"

#include "res/settings_ui_ids.h"
#include "settings_ui/pickers_win.h"
#include "win/data_exchange_win.h"

const CommandEntry<CCommandPage> CCommandPage::kCommands[] = {
    {IDC_EXEC_COMMAND, BN_CLICKED, &CCommandPage::OnSwitchClicked},
    {IDC_PARAM_MAILBOX, BN_CLICKED, &CCommandPage::OnSwitchClicked},
    {IDC_PARAM_ACCOUNT, BN_CLICKED, &CCommandPage::OnSwitchClicked},
    {IDC_PRE_TIDY_UP, BN_CLICKED, &CCommandPage::OnModified},
    {IDC_POST_TIDY_UP, BN_CLICKED, &CCommandPage::OnModified},
    {IDC_COMMAND_BROWSE, BN_CLICKED, &CCommandPage::OnBrowse},
};

CCommandPage::CCommandPage(SettingsDraft& draft) : CAccountRecordPage(IDD_COMMAND_PAGE, draft) {}

void CCommandPage::DoDataExchange(CDataExchange& dx) {
  CAccountRecordPage::DoDataExchange(dx);
  CCommandData& data = Record().command;
  dx.Text(IDC_COMMAND_NAME, data.CommandName);
  dx.Check(IDC_EXEC_COMMAND, data.ExecCommand);
  dx.Text(IDC_MAILBOX_SWITCH, data.MailBoxSwitch);
  dx.Text(IDC_ACCOUNT_SWITCH, data.AccountSwitch);
  dx.Check(IDC_PARAM_ACCOUNT, data.ParamAccount);
  dx.Check(IDC_PARAM_MAILBOX, data.ParamMailBox);
  dx.Check(IDC_PRE_TIDY_UP, data.PreTidyUp);
  dx.Check(IDC_POST_TIDY_UP, data.PostTidyUp);
}

std::vector<int> CCommandPage::RecordControls() const {
  return {IDC_PRE_TIDY_UP, IDC_POST_TIDY_UP, IDC_EXEC_COMMAND};
}

void CCommandPage::ApplyEnabling() {
  const CCommandData& data = Record().command;
  const bool run = data.ExecCommand != 0;
  for (int id : {IDC_COMMAND_LABEL, IDC_COMMAND_NAME, IDC_COMMAND_BROWSE, IDC_ARGUMENTS_GROUP, IDC_PARAM_MAILBOX,
                 IDC_PARAM_ACCOUNT}) {
    EnableItem(id, run);
  }
  for (int id : {IDC_MAILBOX_SWITCH_LABEL, IDC_MAILBOX_SWITCH}) {
    EnableItem(id, run && data.ParamMailBox != 0);
  }
  for (int id : {IDC_ACCOUNT_SWITCH_LABEL, IDC_ACCOUNT_SWITCH}) {
    EnableItem(id, run && data.ParamAccount != 0);
  }
}

void CCommandPage::OnSwitchClicked() {
  UpdateData(true);
  ApplyEnabling();
  SetModified();
}

void CCommandPage::OnModified() { SetModified(); }

void CCommandPage::OnBrowse() {
  UpdateData(true);
  if (!ChooseExecutable(SheetWindow(), Record().command.CommandName)) {
    return;
  }
  UpdateData(false);
  SetModified();
}

bool CCommandPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CAccountRecordPage::OnCommand(id, code);
}
