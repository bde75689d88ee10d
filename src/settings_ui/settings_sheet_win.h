// The settings sheet: six pages over working copies of the schedule and the
// job settings, and the mail client's account titles gathered once for all
// pages. The opener fills the copies and the general page's fonts and
// colours, runs DoModal and, after IDOK, takes the results over.
#pragma once

#include <string>
#include <vector>

#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings_ui/command_page_win.h"
#include "settings_ui/corvid_page_win.h"
#include "settings_ui/larkspur_page_win.h"
#include "settings_ui/remain_page_win.h"
#include "settings_ui/reserve_page_win.h"
#include "settings_ui/schedule_page_win.h"
#include "win/property_sheet_win.h"

class CSettingSheet : public CPropertySheet {
 public:
  CSettingSheet();

  // Reads the data root and the stored tray flag, lists the client's
  // accounts, then runs the sheet on the mail client page.
  INT_PTR DoModal(HWND owner) override;

  CSchedule& Schedule() { return schedule_; }
  CAccountJobList& Jobs() { return jobs_; }
  CLarkspurPage& GeneralPage() { return larkspurPage_; }
  const std::string& MailBoxPath() const { return mailBoxPath_; }
  const std::vector<std::string>& AccountTitles() const { return titles_; }

 protected:
  bool OnCommand(int id, int code) override;

 private:
  void OnMailBoxChange();
  static const CommandEntry<CSettingSheet> kCommands[];

  CAccountJobList jobs_;
  std::string mailBoxPath_;
  CSchedule schedule_;
  std::vector<std::string> titles_;
  CCorvidPage corvidPage_;
  CLarkspurPage larkspurPage_;
  CSchedulePage schedulePage_;
  CReservePage reservePage_;
  CRemainPage remainPage_;
  CCommandPage commandPage_;
};
