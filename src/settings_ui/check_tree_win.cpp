#include "settings_ui/check_tree_win.h"

#include <algorithm>

#include "res/settings_ui_ids.h"
#include "win/application_win.h"
#include "win/tree_view_win.h"

namespace {

constexpr int kUnchecked = 0;
constexpr int kChecked = 1;

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
    const bool isChecked = std::find(checked.begin(), checked.end(), title) != checked.end();
    const int state = isChecked ? kChecked : kUnchecked;
    InsertTreeItem(tree_, TVI_ROOT, title, state, state);
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
  const int state = ReadTreeItem(tree_, item).data == kChecked ? kUnchecked : kChecked;
  SetTreeItemImage(tree_, item, state, state);
  return true;
}

template <typename Visit>
void CCheckTree::ForEachItem(Visit visit) const {
  for (HTREEITEM item = RelatedTreeItem(tree_, nullptr, TVGN_ROOT); item != nullptr;
       item = RelatedTreeItem(tree_, item, TVGN_NEXT)) {
    const TreeItemData read = ReadTreeItem(tree_, item);
    visit(read.text, read.data == kChecked);
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
