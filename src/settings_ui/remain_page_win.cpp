#include "settings_ui/remain_page_win.h"

#include "res/settings_ui_ids.h"
#include "settings_ui/folder_dialog_win.h"
#include "settings_ui/mark_buttons_win.h"
#include "text/cp932.h"
#include "win/data_exchange_win.h"

namespace {

constexpr const char* kCaption = "回送予約ﾍﾟｰｼﾞ";
constexpr const char* kNoSource = "転送元のﾌｫﾙﾀﾞが指定されていません";
constexpr const char* kNoDestination = "転送先のﾌｫﾙﾀﾞが指定されていません";

}  // namespace

const CommandEntry<CRemainPage> CRemainPage::kCommands[] = {
    {IDC_REMAIN, BN_CLICKED, &CRemainPage::OnRemainClicked},
    {IDC_REMAIN_FROM_CHANGE, BN_CLICKED, &CRemainPage::OnChooseSource},
    {IDC_REMAIN_TO_CHANGE, BN_CLICKED, &CRemainPage::OnChooseDestination},
    {IDC_MARK_NONE, BN_CLICKED, &CRemainPage::OnModified},
    {1082, BN_CLICKED, &CRemainPage::OnModified},
    {1083, BN_CLICKED, &CRemainPage::OnModified},
    {1084, BN_CLICKED, &CRemainPage::OnModified},
    {1085, BN_CLICKED, &CRemainPage::OnModified},
    {1086, BN_CLICKED, &CRemainPage::OnModified},
    {1087, BN_CLICKED, &CRemainPage::OnModified},
    {1088, BN_CLICKED, &CRemainPage::OnModified},
    {IDC_UNREAD_CHECK, BN_CLICKED, &CRemainPage::OnModified},
};

CRemainPage::CRemainPage(SettingsDraft& draft) : CAccountRecordPage(IDD_REMAIN_PAGE, draft) {}

bool CRemainPage::OnInitDialog() {
  CAccountRecordPage::OnInitDialog();
  ShowMarkIcons(Handle());
  return true;
}

void CRemainPage::DoDataExchange(CDataExchange& dx) {
  CAccountRecordPage::DoDataExchange(dx);
  CAccountJob& job = Record();
  CReserveData& data = job.reserve;
  dx.Check(IDC_REMAIN, data.Remain);
  dx.Check(IDC_UNREAD_CHECK, data.UnReadCheck);
  dx.Radio(IDC_MARK_NONE, data.RemainMark);
  if (dx.Saving()) {
    RefreshDerivedTitles(job, mailBoxPath_);
    return;
  }
  SetItemText(IDC_REMAIN_FROM_FOLDER,
              FolderText(data.RemainFromAccount, data.RemainFromFolder, data.remainFromFolderTitle));
  SetItemText(IDC_REMAIN_TO_FOLDER, FolderText(job.directory, data.RemainToFolder, data.remainToFolderTitle));
  SetItemText(IDC_REMAIN_FROM_ACCOUNT, data.remainFromAccountTitle);
}

std::vector<int> CRemainPage::RecordControls() const { return {IDC_REMAIN}; }

void CRemainPage::ApplyEnabling() {
  const bool on = Record().reserve.Remain != 0;
  for (int id : {IDC_REMAIN_FROM_ACCOUNT_LABEL, IDC_REMAIN_FROM_ACCOUNT, IDC_REMAIN_FROM_FOLDER,
                 IDC_REMAIN_FROM_CHANGE, IDC_REMAIN_FROM_FOLDER_LABEL, IDC_REMAIN_TO_FOLDER, IDC_REMAIN_TO_CHANGE,
                 IDC_REMAIN_TO_FOLDER_LABEL, IDC_UNREAD_CHECK, IDC_MARK_GROUP, IDC_MARK_NONE}) {
    EnableItem(id, on);
  }
  for (int id = IDC_MARK_FIRST; id <= IDC_MARK_LAST; ++id) {
    EnableItem(id, on);
  }
}

void CRemainPage::OnRemainClicked() {
  UpdateData(true);
  ApplyEnabling();
  SetModified();
}

void CRemainPage::OnModified() { SetModified(); }

void CRemainPage::OnChooseSource() {
  UpdateData(true);
  CAccountJob* record = LoadedRecord();
  if (record == nullptr) {
    return;
  }
  CReserveData& data = record->reserve;
  CFolderDialog dialog;
  dialog.accountSelectable = true;
  // Start at the source account chosen before, else at this page's account.
  dialog.account = record;
  for (std::size_t i = 0; !data.RemainFromAccount.empty() && i < jobs_.Count(); ++i) {
    if (cp932::EqualsIgnoreAsciiCase(jobs_.At(i).directory, data.RemainFromAccount)) {
      dialog.account = &jobs_.At(i);
      break;
    }
  }
  dialog.jobs = &jobs_;
  dialog.dataRoot = mailBoxPath_;
  dialog.folderPath = data.RemainFromFolder;
  if (dialog.DoModal(SheetWindow()) != IDOK || dialog.chosenAccount == nullptr) {
    return;
  }
  data.RemainFromAccount = dialog.chosenAccount->directory;
  data.RemainFromFolder = dialog.folderPath;
  RefreshDerivedTitles(*record, mailBoxPath_);
  UpdateData(false);
  SetModified();
}

void CRemainPage::OnChooseDestination() { ChooseOwnFolder(&CReserveData::RemainToFolder); }

bool CRemainPage::OnApply() {
  // Every account, not just the one on screen: the first that lacks a folder is shown.
  for (std::size_t i = 0; i < jobs_.Count(); ++i) {
    CAccountJob& record = jobs_.At(i);
    const CReserveData& data = record.reserve;
    if (data.Remain == 0) {
      continue;
    }
    if (!FolderExists(data.RemainFromAccount, data.RemainFromFolder)) {
      AskForFolder(record, kCaption, kNoSource, IDC_REMAIN_FROM_CHANGE);
      return false;
    }
    if (!FolderExists(record.directory, data.RemainToFolder)) {
      AskForFolder(record, kCaption, kNoDestination, IDC_REMAIN_TO_CHANGE);
      return false;
    }
  }
  return true;
}

bool CRemainPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CAccountRecordPage::OnCommand(id, code);
}
