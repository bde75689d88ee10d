// A one-level tree of titles, each with a check mark that a click on its row
// or the space key on the selected row turns on or off: the account lists of
// the general page and of the schedule detail. The state is in the item's
// data word and shown as its image.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class CCheckTree {
 public:
  CCheckTree() = default;
  ~CCheckTree();
  CCheckTree(const CCheckTree&) = delete;
  CCheckTree& operator=(const CCheckTree&) = delete;

  // Binds the tree control, gives it the blank and check-mark images, and
  // calls onToggle (when set) after every mark the user turns.
  void Attach(HWND tree, std::function<void()> onToggle = {});
  // One item per title, checked when it equals one of checked byte for byte.
  void Fill(const std::vector<std::string>& titles, const std::vector<std::string>& checked);
  std::vector<std::string> CheckedTitles() const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  // Turns marks for clicks and the space key; true when the tree must not see the message.
  bool OnTreeMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The item whose row holds the point in client coordinates, or nullptr.
  HTREEITEM ItemAt(LPARAM point) const;
  void Toggle(HTREEITEM item);
  void Detach();
  template <typename Visit>
  void ForEachItem(Visit visit) const;

  HWND tree_ = nullptr;
  HIMAGELIST images_ = nullptr;
  std::function<void()> onToggle_;
};
