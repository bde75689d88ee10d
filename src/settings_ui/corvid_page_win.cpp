#include "settings_ui/corvid_page_win.h"

#include "data_dir/file_system.h"
#include "res/product.h"
#include "res/settings_ui_ids.h"
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

CCorvidPage::CCorvidPage(SettingsDraft& draft) : CPropertyPage(IDD_CORVID_PAGE), draft_(draft) {}

void CCorvidPage::DoDataExchange(CDataExchange& dx) {
  ClientSettings& client = draft_.client;
  dx.Text(IDC_CORVID_PATH, client.CorvidPath);
  dx.Check(IDC_DEF_MAILBOX, client.DefMailBox);
  // An empty list has nothing to say about the stored account.
  if (!draft_.accountTitles.empty()) {
    dx.ComboText(IDC_ACCOUNT_LIST, client.DefAccount);
  }
  if (!dx.Saving()) {
    SetItemText(IDC_MAILBOX_PATH, client.MailBoxPath);
  }
}

void CCorvidPage::RefillAccounts() {
  const std::vector<std::string>& titles = draft_.accountTitles;
  std::string& account = draft_.client.DefAccount;
  HWND list = Item(IDC_ACCOUNT_LIST);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  EnableWindow(list, titles.empty() ? FALSE : TRUE);
  bool known = false;
  for (const std::string& title : titles) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    known = known || title == account;
  }
  // The account chosen so far stays when the client still has it.
  if (!titles.empty() && !known) {
    account = titles.front();
  }
  UpdateData(false);
}

bool CCorvidPage::OnSetActive() {
  RefillAccounts();
  return CPropertyPage::OnSetActive();
}

void CCorvidPage::OnBrowseClient() {
  UpdateData(true);
  if (!ChooseExecutable(SheetWindow(), draft_.client.CorvidPath)) {
    return;
  }
  UpdateData(false);
  SetModified();
}

void CCorvidPage::OnBrowseMailBox() {
  UpdateData(true);
  CFolderChooser chooser(draft_.client.MailBoxPath);
  if (chooser.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  const std::string folder = chooser.Path();
  if (!filesys::DirectoryExists(MailBoxTestPath(folder))) {
    Message(folder + kNotAMailBox, kProductCaption, MB_OK);
    return;
  }
  // Reloading would drop what the other pages hold and nobody has applied.
  if (IsSameFolder(folder, draft_.client.MailBoxPath)) {
    return;
  }
  ChangeDataRoot(draft_, folder);
  RefillAccounts();
  SendMessageA(SheetWindow(), WM_COMMAND, ID_MAILBOX_CHANGE, 0);
  UpdateData(false);
  SetModified();
}

void CCorvidPage::OnClientPathEdited() {
  // The edit also reports the page's own filling; only the user's typing
  // makes it differ from the draft.
  if (ItemText(IDC_CORVID_PATH) != draft_.client.CorvidPath) {
    SetModified();
  }
}

void CCorvidPage::OnModified() { SetModified(); }

bool CCorvidPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code);
}
