#include "settings_ui/folder_dialog_win.h"

#include "data_dir/data_directory.h"
#include "res/settings_ui_ids.h"
#include "text/cp932.h"
#include "win/application_win.h"
#include "win/tree_view_win.h"

namespace {

constexpr int kInboxImage = 0;
constexpr int kOutboxImage = 1;
constexpr int kFolderImage = 2;
constexpr int kParentImage = 3;
constexpr COLORREF kTransparent = RGB(255, 255, 255);

UINT ExpandAction(const NMHDR& header) {
  return reinterpret_cast<const NMTREEVIEWA&>(header).action & (TVE_COLLAPSE | TVE_EXPAND | TVE_TOGGLE);
}

// The inbox and the outbox are named by the program, whatever their Entry.ini
// says; a folder without a title by its directory name.
void ImageAndTitle(const FolderNode& node, int& image, std::string& title) {
  if (cp932::EqualsIgnoreAsciiCase(node.name, "INBOX.BOX")) {
    image = kInboxImage;
    title = "郵便受け";
  } else if (cp932::EqualsIgnoreAsciiCase(node.name, "OUTBOX.BOX")) {
    image = kOutboxImage;
    title = "送信箱";
  } else {
    image = node.type.empty() ? kFolderImage : kParentImage;
    title = node.title.empty() ? node.name : node.title;
  }
}

}  // namespace

const CommandEntry<CFolderDialog> CFolderDialog::kCommands[] = {
    {IDC_ACCOUNT_CHOICE, CBN_SELCHANGE, &CFolderDialog::OnAccountChange},
};

const NotifyEntry<CFolderDialog, NMHDR> CFolderDialog::kNotifications[] = {
    {IDC_FOLDER_TREE, static_cast<int>(TVN_SELCHANGEDA), &CFolderDialog::OnSelectionChanged},
    {IDC_FOLDER_TREE, static_cast<int>(TVN_SELCHANGEDW), &CFolderDialog::OnSelectionChanged},
    {IDC_FOLDER_TREE, static_cast<int>(TVN_ITEMEXPANDINGA), &CFolderDialog::OnItemExpanding},
    {IDC_FOLDER_TREE, static_cast<int>(TVN_ITEMEXPANDINGW), &CFolderDialog::OnItemExpanding},
    {IDC_FOLDER_TREE, static_cast<int>(TVN_ITEMEXPANDEDA), &CFolderDialog::OnItemExpanded},
    {IDC_FOLDER_TREE, static_cast<int>(TVN_ITEMEXPANDEDW), &CFolderDialog::OnItemExpanded},
};

CFolderDialog::CFolderDialog() : CDialog(IDD_FOLDER_SELECT) {}

CFolderDialog::~CFolderDialog() {
  if (images_ != nullptr) {
    ImageList_Destroy(images_);
  }
}

bool CFolderDialog::OnInitDialog() {
  tree_ = Item(IDC_FOLDER_TREE);
  images_ = ImageList_Create(20, 18, ILC_COLOR24 | ILC_MASK, 3, 1);
  for (int id : {IDB_FOLDER_INBOX, IDB_FOLDER_OUTBOX, IDB_FOLDER, IDB_FOLDER_PARENT}) {
    HBITMAP picture = LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(id));
    ImageList_AddMasked(images_, picture, kTransparent);
    DeleteObject(picture);
  }
  SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));

  // The fixed account's title takes the place of the account list.
  RECT choice{};
  GetWindowRect(Item(IDC_ACCOUNT_CHOICE), &choice);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&choice), 2);
  SetWindowPos(Item(IDC_FIXED_ACCOUNT), nullptr, choice.left, choice.top, choice.right - choice.left,
               choice.bottom - choice.top, SWP_NOZORDER | SWP_NOACTIVATE);

  HTREEITEM match = nullptr;
  if (accountSelectable) {
    ShowItem(IDC_FIXED_ACCOUNT, false);
    HWND list = Item(IDC_ACCOUNT_CHOICE);
    const CAccountJob* start = account;
    for (std::size_t i = 0; jobs != nullptr && i < jobs->Count(); ++i) {
      const CAccountJob& job = jobs->At(i);
      const LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(job.title.c_str()));
      SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&job));
      if (start == nullptr) {
        start = &job;
      }
      if (&job == start) {
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      }
    }
    match = BuildTree(ChoiceRecord());
  } else {
    ShowItem(IDC_ACCOUNT_CHOICE, false);
    SetItemText(IDC_FIXED_ACCOUNT, account != nullptr ? account->title : std::string());
    match = BuildTree(account);
  }

  HTREEITEM first = match != nullptr ? match : RelatedTreeItem(tree_, nullptr, TVGN_ROOT);
  if (first != nullptr) {
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(first));
    Select(first);
    // The folder given by the caller may be confirmed even if it holds folders.
    EnableItem(IDOK, true);
  }
  return CDialog::OnInitDialog();
}

HTREEITEM CFolderDialog::BuildTree(const CAccountJob* job) {
  building_ = true;
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  paths_.clear();
  HTREEITEM match = nullptr;
  if (job != nullptr) {
    const std::vector<FolderNode> folders = WalkFolders(dataRoot, job->directory);
    struct Builder {
      CFolderDialog& dialog;
      HTREEITEM& match;
      void Insert(const std::vector<FolderNode>& nodes, HTREEITEM parent) {
        for (const FolderNode& node : nodes) {
          int image = kFolderImage;
          std::string title;
          ImageAndTitle(node, image, title);
          HTREEITEM item = InsertTreeItem(dialog.tree_, parent, title, image,
                                          static_cast<LPARAM>(dialog.paths_.size()));
          dialog.paths_.push_back(node.path);
          if (item == nullptr) {
            continue;
          }
          if (cp932::EqualsIgnoreAsciiCase(node.path, dialog.folderPath)) {
            match = item;
          }
          if (!node.type.empty()) {
            Insert(node.children, item);
            SendMessageA(dialog.tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
          }
        }
      }
    } builder{*this, match};
    builder.Insert(folders, TVI_ROOT);
  }
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
  building_ = false;
  return match;
}

const CAccountJob* CFolderDialog::ChoiceRecord() const {
  HWND list = Item(IDC_ACCOUNT_CHOICE);
  const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    return nullptr;
  }
  const LRESULT data = SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<const CAccountJob*>(data);
}

void CFolderDialog::Select(HTREEITEM item) {
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void CFolderDialog::OnAccountChange() {
  BuildTree(ChoiceRecord());
  HTREEITEM first = RelatedTreeItem(tree_, nullptr, TVGN_ROOT);
  if (first == nullptr) {
    // Nothing to choose in this account.
    EnableItem(IDOK, false);
    return;
  }
  Select(first);
}

INT_PTR CFolderDialog::OnSelectionChanged(NMHDR& header) {
  if (building_) {
    return 0;
  }
  HTREEITEM item = reinterpret_cast<NMTREEVIEWA&>(header).itemNew.hItem;
  EnableItem(IDOK, item != nullptr && RelatedTreeItem(tree_, item, TVGN_CHILD) == nullptr);
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
  return 0;
}

INT_PTR CFolderDialog::OnItemExpanding(NMHDR& header) {
  return ExpandAction(header) == TVE_EXPAND ? FALSE : TRUE;
}

INT_PTR CFolderDialog::OnItemExpanded(NMHDR& header) {
  // Some tree controls fold the item whatever the answer above: open it again.
  if (ExpandAction(header) != TVE_EXPAND) {
    SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND,
                 reinterpret_cast<LPARAM>(reinterpret_cast<NMTREEVIEWA&>(header).itemNew.hItem));
  }
  return 0;
}

bool CFolderDialog::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code);
}

bool CFolderDialog::OnNotify(NMHDR& header, INT_PTR& result) {
  return RouteNotify(this, kNotifications, header, result);
}

void CFolderDialog::OnOK() {
  HTREEITEM item = RelatedTreeItem(tree_, nullptr, TVGN_CARET);
  if (item == nullptr || !IsWindowEnabled(Item(IDOK))) {
    return;
  }
  const TreeItemData chosen = ReadTreeItem(tree_, item);
  const std::size_t index = static_cast<std::size_t>(chosen.data);
  folderPath = index < paths_.size() ? paths_[index] : std::string();
  folderTitle = chosen.text;
  chosenAccount = accountSelectable ? ChoiceRecord() : account;
  EndModal(IDOK);
}

void CFolderDialog::OnDestroy() {
  SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
  if (images_ != nullptr) {
    ImageList_Destroy(images_);
    images_ = nullptr;
  }
}
