// One schedule entry in detail: its time, its accounts and, for a new entry,
// whether it runs on several weekdays (every day).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings_ui/check_tree_win.h"
#include "settings_ui/schedule_edits.h"
#include "win/command_table.h"
#include "win/dialog_win.h"

class CScheduleDetailDlg : public CDialog {
 public:
  explicit CScheduleDetailDlg(const std::vector<std::string>& titles);

  // Inputs, set before DoModal; hour, minute, everyDay and days are also
  // the results after IDOK.
  bool everyDayAllowed = true;
  std::string mailBoxPath;
  int hour = 0;
  int minute = 0;
  int everyDay = 0;
  // Monday to Saturday, then Sunday, as the check boxes stand.
  std::array<int, CSchedule::kDays> daysInControlOrder{1, 1, 1, 1, 1, 1, 1};
  // The accounts that start checked (those of the entry being edited).
  std::vector<std::string> accounts;

  // After IDOK: the entry as the user left it, the checked accounts in tree order.
  EntryDraft Draft() const { return draft_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void DoDataExchange(CDataExchange& dx) override;
  void OnOK() override;

 private:
  void EnableDays();
  void OnEveryDayClicked();
  static const CommandEntry<CScheduleDetailDlg> kCommands[];

  const std::vector<std::string>& titles_;
  CCheckTree tree_;
  EntryDraft draft_;
};
