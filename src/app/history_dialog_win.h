// The history window: the run history's events, newest first, each with its
// time, account and what happened, failures marked. The main window reads
// the file into it again after every event while it is open; its button
// opens the file in the program the user has for it.
#pragma once

#include "app/marked_list_dialog_win.h"
#include "history/run_history.h"

class CHistoryDialog : public CMarkedListDialog {
 public:
  // The most events the list shows.
  static constexpr std::size_t kMaxRows = 1000;

  explicit CHistoryDialog(const CHistoryFile& file);

 protected:
  bool OnCommand(int id, int code) override;
  std::vector<std::pair<int, int>> Columns(HWND list) const override;
  void FillRows(HWND list) override;

 private:
  void OpenFile();

  const CHistoryFile& file_;
};
