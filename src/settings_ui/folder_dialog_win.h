// Picks one mail folder of one account from a tree of the account's folders
// with their titles. The account is either fixed or chosen in the dialog.
// Only leaf folders can be confirmed once the user moves the selection, and
// the tree never collapses. Nothing on disk or in the settings changes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "settings/account_job.h"
#include "win/command_table.h"
#include "win/dialog_win.h"

class CFolderDialog : public CDialog {
 public:
  CFolderDialog();
  ~CFolderDialog() override;

  // Inputs, set before DoModal.
  bool accountSelectable = false;
  // The fixed account, or the one the choice starts at (nullptr: the first record).
  const CAccountJob* account = nullptr;
  const CAccountJobList* jobs = nullptr;
  std::string dataRoot;
  // In: preselects the folder with this path, letter case aside
  // ("WORK.BOX\2002.BOX"). Out, after IDOK: the chosen folder's path.
  std::string folderPath;
  // Out, after IDOK: the chosen folder's title.
  std::string folderTitle;
  // Out, after IDOK in the selectable mode: the chosen account's record.
  const CAccountJob* chosenAccount = nullptr;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(NMHDR& header, INT_PTR& result) override;
  void OnOK() override;
  void OnDestroy() override;

 private:
  void OnAccountChange();
  INT_PTR OnSelectionChanged(NMHDR& header);
  INT_PTR OnItemExpanding(NMHDR& header);
  INT_PTR OnItemExpanded(NMHDR& header);
  static const CommandEntry<CFolderDialog> kCommands[];
  static const NotifyEntry<CFolderDialog, NMHDR> kNotifications[];

  // Rebuilds the tree for job; the item whose path matches folderPath, if any.
  HTREEITEM BuildTree(const CAccountJob* job);
  const CAccountJob* ChoiceRecord() const;
  void Select(HTREEITEM item);

  HWND tree_ = nullptr;
  HIMAGELIST images_ = nullptr;
  // Folder paths of the tree's items, indexed by the items' data words.
  std::vector<std::string> paths_;
  bool building_ = false;
};
