// A one-level tree of titles, each with a check mark that a click on its row
// turns on or off: the account lists of the general page and of the schedule
// detail. The state is in the item's data word and shown as its image.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class CCheckTree {
 public:
  CCheckTree() = default;
  ~CCheckTree();
  CCheckTree(const CCheckTree&) = delete;
  CCheckTree& operator=(const CCheckTree&) = delete;

  // Binds the tree control and gives it the blank and check-mark images.
  void Attach(HWND tree);
  // One item per title, checked when it equals one of checked byte for byte.
  void Fill(const std::vector<std::string>& titles, const std::vector<std::string>& checked);
  // Inverts the item whose row is under the mouse cursor; false when there is none.
  bool ToggleAtCursor();
  std::vector<std::string> Titles() const;
  std::vector<std::string> CheckedTitles() const;

 private:
  template <typename Visit>
  void ForEachItem(Visit visit) const;

  HWND tree_ = nullptr;
  HIMAGELIST images_ = nullptr;
};
