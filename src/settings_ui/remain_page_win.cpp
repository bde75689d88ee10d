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
  dx.Check(IDC_REMAIN, remain_);
  dx.Check(IDC_UNREAD_CHECK, unreadCheck_);
  dx.Text(IDC_REMAIN_FROM_FOLDER, fromFolderTitle_);
  dx.Text(IDC_REMAIN_TO_FOLDER, toFolderTitle_);
  dx.Text(IDC_REMAIN_FROM_ACCOUNT, fromAccountTitle_);
  dx.Text(IDC_MAILBOX_PATH, mailBoxText_);
  dx.Radio(IDC_MARK_NONE, mark_);
}

void CRemainPage::LoadRecord(const CAccountJob& job) {
  const CReserveData& data = job.reserve;
  remain_ = data.Remain;
  fromAccount_ = data.RemainFromAccount;
  fromAccountTitle_ = data.remainFromAccountTitle;
  fromFolder_ = data.RemainFromFolder;
  fromFolderTitle_ = FolderText(data.RemainFromAccount, data.RemainFromFolder, data.remainFromFolderTitle);
  toFolder_ = data.RemainToFolder;
  toFolderTitle_ = FolderText(job.directory, data.RemainToFolder, data.remainToFolderTitle);
  unreadCheck_ = data.UnReadCheck;
  mark_ = data.RemainMark;
}

void CRemainPage::StoreRecord(CAccountJob& job) {
  CReserveData& data = job.reserve;
  data.Remain = remain_;
  data.RemainFromAccount = fromAccount_;
  data.RemainFromFolder = fromFolder_;
  data.RemainToFolder = toFolder_;
  data.UnReadCheck = unreadCheck_;
  data.RemainMark = mark_;
  RefreshDerivedTitles(job, mailBoxPath_);
}

std::vector<int> CRemainPage::RecordControls() const { return {IDC_REMAIN}; }

void CRemainPage::ApplyEnabling() {
  const bool on = remain_ != 0;
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
  CFolderDialog dialog;
  dialog.accountSelectable = true;
  // Start at the source account chosen before, else at this page's account.
  dialog.account = record;
  for (std::size_t i = 0; !fromAccount_.empty() && i < jobs_.Count(); ++i) {
    if (cp932::EqualsIgnoreAsciiCase(jobs_.At(i).directory, fromAccount_)) {
      dialog.account = &jobs_.At(i);
      break;
    }
  }
  dialog.jobs = &jobs_;
  dialog.dataRoot = mailBoxPath_;
  dialog.folderPath = fromFolder_;
  if (dialog.DoModal(SheetWindow()) != IDOK || dialog.chosenAccount == nullptr) {
    return;
  }
  fromAccountTitle_ = dialog.chosenAccount->title;
  fromAccount_ = dialog.chosenAccount->directory;
  fromFolderTitle_ = dialog.folderTitle;
  fromFolder_ = dialog.folderPath;
  UpdateData(false);
  SetModified();
}

void CRemainPage::OnChooseDestination() { ChooseOwnFolder(toFolder_, toFolderTitle_); }

bool CRemainPage::OnApply() {
  StoreScreen();
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
