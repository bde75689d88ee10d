#include "settings_ui/check_tree_win.h"

#include "res/settings_ui_ids.h"
#include "win/application_win.h"

namespace {

constexpr int kUnchecked = 0;
constexpr int kChecked = 1;

void SetState(HWND tree, HTREEITEM item, int state) {
  TVITEMA change{};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  change.hItem = item;
  change.iImage = state;
  change.iSelectedImage = state;
  change.lParam = state;
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

}  // namespace

CCheckTree::~CCheckTree() {
  if (images_ != nullptr) {
    ImageList_Destroy(images_);
  }
}

void CCheckTree::Attach(HWND tree) {
  tree_ = tree;
  if (images_ == nullptr) {
    images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
    for (int id : {IDI_CHECK_OFF, IDI_CHECK_ON}) {
      HICON icon = static_cast<HICON>(
          LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
      ImageList_AddIcon(images_, icon);
      DestroyIcon(icon);
    }
  }
  SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
}

void CCheckTree::Fill(const std::vector<std::string>& titles, const std::vector<std::string>& checked) {
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  for (const std::string& title : titles) {
    int state = kUnchecked;
    for (const std::string& candidate : checked) {
      if (candidate == title) {
        state = kChecked;
      }
    }
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(title.c_str());
    insert.item.iImage = state;
    insert.item.iSelectedImage = state;
    insert.item.lParam = state;
    SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
  }
}

bool CCheckTree::ToggleAtCursor() {
  TVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(tree_, &hit.pt);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (item == nullptr || (hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT | TVHT_ONITEMBUTTON)) == 0) {
    return false;
  }
  TVITEMA current{};
  current.mask = TVIF_HANDLE | TVIF_PARAM;
  current.hItem = item;
  SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&current));
  SetState(tree_, item, current.lParam == kChecked ? kUnchecked : kChecked);
  return true;
}

template <typename Visit>
void CCheckTree::ForEachItem(Visit visit) const {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  while (item != nullptr) {
    char text[1024] = "";
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    visit(std::string(text), data.lParam == kChecked);
    item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
}

std::vector<std::string> CCheckTree::Titles() const {
  std::vector<std::string> titles;
  ForEachItem([&titles](const std::string& title, bool) { titles.push_back(title); });
  return titles;
}

std::vector<std::string> CCheckTree::CheckedTitles() const {
  std::vector<std::string> titles;
  ForEachItem([&titles](const std::string& title, bool checked) {
    if (checked) {
      titles.push_back(title);
    }
  });
  return titles;
}
