// The schedule page: the fetch times of each weekday with their accounts,
// and the retry count, retry interval and dial-up flag. Edits the draft's
// schedule in place.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/settings_draft.h"
#include "win/command_table.h"
#include "win/property_sheet_win.h"

class CSchedulePage : public CPropertyPage {
 public:
  explicit CSchedulePage(SettingsDraft& draft);
  ~CSchedulePage() override;

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnCommand(int id, int code) override;
  bool OnNotify(NMHDR& header, INT_PTR& result) override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  int SelectedDay() const;
  void ShowDay(int day);
  // The entry of the first row with the focus, or nullptr.
  CScheduleEntry* CurrentEntry() const;
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnModified();
  void OnEditedNumber();
  void OnIntervalLeft();
  INT_PTR OnListDoubleClick(NMHDR& header);
  INT_PTR OnItemChanged(NMHDR& header);
  INT_PTR OnTabChanged(NMHDR& header);
  static const CommandEntry<CSchedulePage> kCommands[];
  static const NotifyEntry<CSchedulePage, NMHDR> kNotifications[];

  CSchedule& schedule_;
  const CAccountJobList& jobs_;
  const std::string& mailBoxPath_;
  const std::vector<std::string>& titles_;
  HIMAGELIST images_ = nullptr;
  // The page is writing its own controls: their change notices are not edits.
  bool showing_ = false;
};
