#include "settings_ui/reserve_page_win.h"

#include "res/settings_ui_ids.h"
#include "settings_ui/mark_buttons_win.h"
#include "win/data_exchange_win.h"

namespace {

constexpr const char* kCaption = "送信予約ﾍﾟｰｼﾞ";
constexpr const char* kNoFolder = "送信予約ﾒｰﾙの保存先ﾌｫﾙﾀﾞが指定されていません";

}  // namespace

const CommandEntry<CReservePage> CReservePage::kCommands[] = {
    {IDC_RESERVE, BN_CLICKED, &CReservePage::OnReserveClicked},
    {IDC_RESERVE_FOLDER_CHANGE, BN_CLICKED, &CReservePage::OnChooseFolder},
    {IDC_MARK_NONE, BN_CLICKED, &CReservePage::OnModified},
    {1082, BN_CLICKED, &CReservePage::OnModified},
    {1083, BN_CLICKED, &CReservePage::OnModified},
    {1084, BN_CLICKED, &CReservePage::OnModified},
    {1085, BN_CLICKED, &CReservePage::OnModified},
    {1086, BN_CLICKED, &CReservePage::OnModified},
    {1087, BN_CLICKED, &CReservePage::OnModified},
    {1088, BN_CLICKED, &CReservePage::OnModified},
    {IDC_SEND_CHECK, BN_CLICKED, &CReservePage::OnModified},
    {IDC_RESERVE_SEND, BN_CLICKED, &CReservePage::OnModified},
};

CReservePage::CReservePage(SettingsDraft& draft) : CAccountRecordPage(IDD_RESERVE_PAGE, draft) {}

bool CReservePage::OnInitDialog() {
  CAccountRecordPage::OnInitDialog();
  ShowMarkIcons(Handle());
  return true;
}

void CReservePage::DoDataExchange(CDataExchange& dx) {
  CAccountRecordPage::DoDataExchange(dx);
  CAccountJob& job = Record();
  CReserveData& data = job.reserve;
  dx.Check(IDC_RESERVE, data.Reserve);
  dx.Check(IDC_SEND_CHECK, data.SendCheck);
  dx.Check(IDC_RESERVE_SEND, job.ReserveSend);
  dx.Radio(IDC_MARK_NONE, data.ReserveMark);
  if (dx.Saving()) {
    RefreshDerivedTitles(job, mailBoxPath_);
  } else {
    SetItemText(IDC_RESERVE_FOLDER, FolderText(job.directory, data.ReserveFolder, data.reserveFolderTitle));
  }
}

std::vector<int> CReservePage::RecordControls() const { return {IDC_RESERVE, IDC_RESERVE_SEND}; }

void CReservePage::ApplyEnabling() {
  const bool on = Record().reserve.Reserve != 0;
  for (int id : {IDC_RESERVE_FOLDER, IDC_RESERVE_FOLDER_CHANGE, IDC_RESERVE_FOLDER_LABEL, IDC_SEND_CHECK,
                 IDC_MARK_GROUP, IDC_MARK_NONE}) {
    EnableItem(id, on);
  }
  for (int id = IDC_MARK_FIRST; id <= IDC_MARK_LAST; ++id) {
    EnableItem(id, on);
  }
}

void CReservePage::OnReserveClicked() {
  UpdateData(true);
  ApplyEnabling();
  SetModified();
}

void CReservePage::OnModified() { SetModified(); }

void CReservePage::OnChooseFolder() { ChooseOwnFolder(&CReserveData::ReserveFolder); }

bool CReservePage::OnApply() {
  // Every account, not just the one on screen: the first that lacks its folder is shown.
  for (std::size_t i = 0; i < jobs_.Count(); ++i) {
    CAccountJob& record = jobs_.At(i);
    if (record.reserve.Reserve != 0 && !FolderExists(record.directory, record.reserve.ReserveFolder)) {
      AskForFolder(record, kCaption, kNoFolder, IDC_RESERVE_FOLDER_CHANGE);
      return false;
    }
  }
  return true;
}

bool CReservePage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CAccountRecordPage::OnCommand(id, code);
}
