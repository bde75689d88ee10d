// Small tree-view helpers shared by the program's trees: every item carries
// an image and a data word besides its text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

struct TreeItemData {
  std::string text;
  LPARAM data = 0;
};

// Appends an item under parent (TVI_ROOT for the top level), with the same
// image selected or not. Returns the new item, or nullptr when the tree refused it.
HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, const std::string& text, int image, LPARAM data);

// The item in relation (TVGN_ROOT, TVGN_NEXT, TVGN_CHILD, TVGN_CARET...) to item.
HTREEITEM RelatedTreeItem(HWND tree, HTREEITEM item, WPARAM relation);

// The item's text (up to 1023 bytes) and data word.
TreeItemData ReadTreeItem(HWND tree, HTREEITEM item);

// Gives the item a new image, selected or not, and a new data word.
void SetTreeItemImage(HWND tree, HTREEITEM item, int image, LPARAM data);
