#include "settings_ui/check_tree_win.h"

#include <algorithm>

#include "res/settings_ui_ids.h"
#include "win/application_win.h"
#include "win/tree_view_win.h"

namespace {

constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr UINT_PTR kSubclassId = 1;
// Bit 30 of a key message: the key was already down (auto-repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;

}  // namespace

CCheckTree::~CCheckTree() {
  Detach();
  if (images_ != nullptr) {
    ImageList_Destroy(images_);
  }
}

void CCheckTree::Attach(HWND tree, std::function<void()> onToggle) {
  Detach();
  tree_ = tree;
  onToggle_ = std::move(onToggle);
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
  // The click is taken where the tree got it, not where the cursor is by the
  // time a notification is handled.
  SetWindowSubclass(tree_, &CCheckTree::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void CCheckTree::Detach() {
  if (tree_ != nullptr) {
    RemoveWindowSubclass(tree_, &CCheckTree::SubclassProc, kSubclassId);
    tree_ = nullptr;
  }
}

void CCheckTree::Fill(const std::vector<std::string>& titles, const std::vector<std::string>& checked) {
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  for (const std::string& title : titles) {
    const bool isChecked = std::find(checked.begin(), checked.end(), title) != checked.end();
    const int state = isChecked ? kChecked : kUnchecked;
    InsertTreeItem(tree_, TVI_ROOT, title, state, state);
  }
}

LRESULT CALLBACK CCheckTree::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  try {
    auto* self = reinterpret_cast<CCheckTree*>(data);
    if (message == WM_NCDESTROY) {
      self->Detach();
    } else if (self->OnTreeMessage(message, wParam, lParam)) {
      return 0;
    }
  } catch (...) {
    // A fault in one handler must not take the program down.
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool CCheckTree::OnTreeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The tree still selects the row and takes the focus.
      Toggle(ItemAt(lParam));
      return false;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && (lParam & kKeyWasDown) == 0) {
        Toggle(RelatedTreeItem(tree_, nullptr, TVGN_CARET));
      }
      return wParam == VK_SPACE;
    case WM_CHAR:
      // Not a search for a title that starts with a blank.
      return wParam == ' ';
    default:
      return false;
  }
}

HTREEITEM CCheckTree::ItemAt(LPARAM point) const {
  TVHITTESTINFO hit{};
  hit.pt.x = static_cast<short>(LOWORD(point));
  hit.pt.y = static_cast<short>(HIWORD(point));
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if ((hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT | TVHT_ONITEMBUTTON)) == 0) {
    return nullptr;
  }
  return item;
}

void CCheckTree::Toggle(HTREEITEM item) {
  if (item == nullptr) {
    return;
  }
  const int state = ReadTreeItem(tree_, item).data == kChecked ? kUnchecked : kChecked;
  SetTreeItemImage(tree_, item, state, state);
  if (onToggle_) {
    onToggle_();
  }
}

template <typename Visit>
void CCheckTree::ForEachItem(Visit visit) const {
  for (HTREEITEM item = RelatedTreeItem(tree_, nullptr, TVGN_ROOT); item != nullptr;
       item = RelatedTreeItem(tree_, item, TVGN_NEXT)) {
    const TreeItemData read = ReadTreeItem(tree_, item);
    visit(read.text, read.data == kChecked);
  }
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
