#include "win/tree_view_win.h"

HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, const std::string& text, int image, LPARAM data) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM RelatedTreeItem(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

TreeItemData ReadTreeItem(HWND tree, HTREEITEM item) {
  char text[1024] = "";
  TVITEMA data{};
  data.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) {
    return TreeItemData{};
  }
  return TreeItemData{text, data.lParam};
}

void SetTreeItemImage(HWND tree, HTREEITEM item, int image, LPARAM data) {
  TVITEMA change{};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  change.hItem = item;
  change.iImage = image;
  change.iSelectedImage = image;
  change.lParam = data;
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}
