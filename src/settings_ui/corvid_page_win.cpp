#include "settings_ui/corvid_page_win.h"

#include "data_dir/data_directory.h"
#include "data_dir/file_system.h"
#include "res/product.h"
#include "res/settings_ui_ids.h"
#include "settings/settings_layout.h"
#include "settings_ui/data_root.h"
#include "settings_ui/pickers_win.h"
#include "win/data_exchange_win.h"

namespace {

constexpr const char* kNotAMailBox = " は有効なメールボックスでは有りません";

}  // namespace

const CommandEntry<CCorvidPage> CCorvidPage::kCommands[] = {
    {IDC_CORVID_BROWSE, BN_CLICKED, &CCorvidPage::OnBrowseClient},
    {IDC_MAILBOX_BROWSE, BN_CLICKED, &CCorvidPage::OnBrowseMailBox},
    {IDC_CORVID_PATH, EN_CHANGE, &CCorvidPage::OnClientPathEdited},
    {IDC_ACCOUNT_LIST, CBN_SELCHANGE, &CCorvidPage::OnModified},
};

CCorvidPage::CCorvidPage(CAccountJobList& jobs, std::string& mailBoxPath, std::vector<std::string>& titles)
    : CPropertyPage(IDD_CORVID_PAGE), jobs_(jobs), mailBoxPath_(mailBoxPath), titles_(titles) {}

bool CCorvidPage::OnInitDialog() {
  CSettingsKey settings;
  clientPath_ = layout::Read(settings, layout::kCorvidPath);
  account_ = layout::Read(settings, layout::kDefAccount);
  defMailBox_ = layout::Read(settings, layout::kDefMailBox);
  return CPropertyPage::OnInitDialog();
}

void CCorvidPage::DoDataExchange(CDataExchange& dx) {
  dx.Text(IDC_CORVID_PATH, clientPath_);
  dx.Check(IDC_DEF_MAILBOX, defMailBox_);
  // An empty list has nothing to say about the stored account.
  if (!titles_.empty()) {
    dx.ComboText(IDC_ACCOUNT_LIST, account_);
  }
  if (!dx.Saving()) {
    SetItemText(IDC_MAILBOX_PATH, mailBoxPath_);
  }
}

void CCorvidPage::RefillAccounts() {
  HWND list = Item(IDC_ACCOUNT_LIST);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  EnableWindow(list, titles_.empty() ? FALSE : TRUE);
  bool known = false;
  for (const std::string& title : titles_) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    known = known || title == account_;
  }
  // The account chosen so far stays when the client still has it.
  if (!titles_.empty() && !known) {
    account_ = titles_.front();
  }
  UpdateData(false);
}

bool CCorvidPage::OnSetActive() {
  RefillAccounts();
  return CPropertyPage::OnSetActive();
}

bool CCorvidPage::OnApply() {
  UpdateData(true);
  CSettingsKey settings;
  layout::Write(settings, layout::kCorvidPath, clientPath_);
  layout::Write(settings, layout::kDefAccount, account_);
  layout::Write(settings, layout::kMailBoxPath, mailBoxPath_);
  layout::Write(settings, layout::kDefMailBox, defMailBox_);
  return true;
}

void CCorvidPage::OnBrowseClient() {
  UpdateData(true);
  if (!ChooseExecutable(SheetWindow(), clientPath_)) {
    return;
  }
  UpdateData(false);
  SetModified();
}

void CCorvidPage::OnBrowseMailBox() {
  UpdateData(true);
  CFolderChooser chooser(mailBoxPath_);
  if (chooser.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  const std::string folder = chooser.Path();
  if (!filesys::DirectoryExists(MailBoxTestPath(folder))) {
    Message(folder + kNotAMailBox, kProductCaption, MB_OK);
    return;
  }
  // Reloading would drop what the other pages hold and nobody has applied.
  if (IsSameFolder(folder, mailBoxPath_)) {
    return;
  }
  mailBoxPath_ = folder;
  jobs_.Load(folder);
  titles_ = ListAccounts(folder).titles;
  RefillAccounts();
  SendMessageA(SheetWindow(), WM_COMMAND, ID_MAILBOX_CHANGE, 0);
  UpdateData(false);
  SetModified();
}

void CCorvidPage::OnClientPathEdited() {
  // The edit also reports the page's own filling; only the user's typing
  // makes it differ from the member.
  if (ItemText(IDC_CORVID_PATH) != clientPath_) {
    SetModified();
  }
}

void CCorvidPage::OnModified() { SetModified(); }

bool CCorvidPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code);
}
