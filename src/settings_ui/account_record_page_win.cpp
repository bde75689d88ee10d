#include "settings_ui/account_record_page_win.h"

#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "res/settings_ui_ids.h"
#include "settings_ui/folder_dialog_win.h"
#include "text/cp932.h"
#include "win/data_exchange_win.h"

const CommandEntry<CAccountRecordPage> CAccountRecordPage::kCommands[] = {
    {IDC_ACCOUNT_LIST, CBN_DROPDOWN, &CAccountRecordPage::OnListDropDown},
    {IDC_ACCOUNT_LIST, CBN_SELCHANGE, &CAccountRecordPage::OnListSelectionChange},
};

CAccountRecordPage::CAccountRecordPage(int templateId, SettingsDraft& draft)
    : CPropertyPage(templateId), jobs_(draft.jobs), mailBoxPath_(draft.client.MailBoxPath) {
  // Without a record no mark is ticked.
  blank_.reserve.ReserveMark = -1;
  blank_.reserve.RemainMark = -1;
}

void CAccountRecordPage::DoDataExchange(CDataExchange& dx) {
  if (!dx.Saving()) {
    SetItemText(IDC_MAILBOX_PATH, mailBoxPath_);
  }
}

void CAccountRecordPage::RefillList() {
  loaded_ = nullptr;
  HWND list = Item(IDC_ACCOUNT_LIST);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  const bool any = jobs_.Count() != 0;
  EnableWindow(list, any ? TRUE : FALSE);
  for (int id : RecordControls()) {
    EnableItem(id, any);
  }
  CAccountJob* first = nullptr;
  for (std::size_t i = 0; i < jobs_.Count(); ++i) {
    CAccountJob& job = jobs_.At(i);
    // The list sorts its texts; the first record in record order is selected.
    const LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(job.title.c_str()));
    if (index >= 0) {
      SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&job));
    }
    if (first == nullptr) {
      first = &job;
    }
  }
  ShowRecord(first);
}

void CAccountRecordPage::ShowRecord(CAccountJob* record) {
  HWND list = Item(IDC_ACCOUNT_LIST);
  const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  WPARAM select = static_cast<WPARAM>(-1);
  for (LRESULT i = 0; i < count; ++i) {
    if (record != nullptr && reinterpret_cast<CAccountJob*>(SendMessageA(list, CB_GETITEMDATA, i, 0)) == record) {
      select = static_cast<WPARAM>(i);
    }
  }
  SendMessageA(list, CB_SETCURSEL, select, 0);
  ShowSelected();
}

CAccountJob* CAccountRecordPage::SelectedItemRecord() const {
  HWND list = Item(IDC_ACCOUNT_LIST);
  const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    return nullptr;
  }
  const LRESULT data = SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<CAccountJob*>(data);
}

void CAccountRecordPage::ShowSelected() {
  loaded_ = SelectedItemRecord();
  ApplyEnabling();
  UpdateData(false);
}

void CAccountRecordPage::AskForFolder(CAccountJob& record, const char* caption, const char* message,
                                      int button) {
  Message(message, caption, MB_OK);
  // Coming to the front starts from the first account; the folder may be
  // missing in another one than the page shows.
  if (!Sheet()->IsActivePage(this)) {
    Sheet()->SetActivePage(this);
  }
  if (LoadedRecord() != &record) {
    ShowRecord(&record);
  }
  PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(Item(button)));
}

bool CAccountRecordPage::FolderExists(const std::string& accountDir, const std::string& folderPath) const {
  if (accountDir.empty() || folderPath.empty()) {
    return false;
  }
  return filesys::DirectoryExists(FolderDirectory(mailBoxPath_, accountDir, folderPath));
}

std::string CAccountRecordPage::FolderText(const std::string& accountDir, const std::string& folderPath,
                                           const std::string& title) const {
  if (!FolderExists(accountDir, folderPath)) {
    return std::string();
  }
  if (!title.empty()) {
    return title;
  }
  const std::size_t separator = cp932::FindLast(folderPath, '\\');
  return separator == std::string::npos ? folderPath : folderPath.substr(separator + 1);
}

void CAccountRecordPage::ChooseOwnFolder(std::string CReserveData::*folder) {
  UpdateData(true);
  if (loaded_ == nullptr) {
    return;
  }
  CFolderDialog dialog;
  dialog.account = loaded_;
  dialog.jobs = &jobs_;
  dialog.dataRoot = mailBoxPath_;
  dialog.folderPath = loaded_->reserve.*folder;
  if (dialog.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  loaded_->reserve.*folder = dialog.folderPath;
  RefreshDerivedTitles(*loaded_, mailBoxPath_);
  UpdateData(false);
  SetModified();
}

void CAccountRecordPage::ReloadAccounts() { RefillList(); }

bool CAccountRecordPage::OnSetActive() {
  RefillList();
  return CPropertyPage::OnSetActive();
}

void CAccountRecordPage::OnListDropDown() { UpdateData(true); }

void CAccountRecordPage::OnListSelectionChange() {
  // The keyboard changes the selection without opening the list: the screen
  // still belongs to the record shown before.
  UpdateData(true);
  ShowSelected();
}

bool CAccountRecordPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code);
}
