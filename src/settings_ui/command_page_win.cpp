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
  dx.Text(IDC_MAILBOX_PATH, mailBoxText_);
  dx.Text(IDC_COMMAND_NAME, program_);
  dx.Check(IDC_EXEC_COMMAND, runProgram_);
  dx.Text(IDC_MAILBOX_SWITCH, mailBoxSwitch_);
  dx.Text(IDC_ACCOUNT_SWITCH, accountSwitch_);
  dx.Check(IDC_PARAM_ACCOUNT, passAccount_);
  dx.Check(IDC_PARAM_MAILBOX, passMailBox_);
  dx.Check(IDC_PRE_TIDY_UP, sortBefore_);
  dx.Check(IDC_POST_TIDY_UP, sortAfter_);
}

void CCommandPage::LoadRecord(const CAccountJob& job) {
  const CCommandData& data = job.command;
  sortBefore_ = data.PreTidyUp;
  sortAfter_ = data.PostTidyUp;
  runProgram_ = data.ExecCommand;
  program_ = data.CommandName;
  passMailBox_ = data.ParamMailBox;
  mailBoxSwitch_ = data.MailBoxSwitch;
  passAccount_ = data.ParamAccount;
  accountSwitch_ = data.AccountSwitch;
}

void CCommandPage::StoreRecord(CAccountJob& job) {
  CCommandData& data = job.command;
  data.PreTidyUp = sortBefore_;
  data.PostTidyUp = sortAfter_;
  data.ExecCommand = runProgram_;
  data.CommandName = program_;
  data.ParamMailBox = passMailBox_;
  data.MailBoxSwitch = mailBoxSwitch_;
  data.ParamAccount = passAccount_;
  data.AccountSwitch = accountSwitch_;
}

std::vector<int> CCommandPage::RecordControls() const {
  return {IDC_PRE_TIDY_UP, IDC_POST_TIDY_UP, IDC_EXEC_COMMAND};
}

void CCommandPage::ApplyEnabling() {
  const bool run = runProgram_ != 0;
  for (int id : {IDC_COMMAND_LABEL, IDC_COMMAND_NAME, IDC_COMMAND_BROWSE, IDC_ARGUMENTS_GROUP, IDC_PARAM_MAILBOX,
                 IDC_PARAM_ACCOUNT}) {
    EnableItem(id, run);
  }
  for (int id : {IDC_MAILBOX_SWITCH_LABEL, IDC_MAILBOX_SWITCH}) {
    EnableItem(id, run && passMailBox_ != 0);
  }
  for (int id : {IDC_ACCOUNT_SWITCH_LABEL, IDC_ACCOUNT_SWITCH}) {
    EnableItem(id, run && passAccount_ != 0);
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
  if (!ChooseExecutable(SheetWindow(), program_)) {
    return;
  }
  UpdateData(false);
  SetModified();
}

bool CCommandPage::OnApply() {
  StoreScreen();
  return true;
}

bool CCommandPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CAccountRecordPage::OnCommand(id, code);
}
