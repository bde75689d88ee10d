// The main window: a modeless dialog that lives as long as the program.
#pragma once

#include <windows.h>

#include "schedule/schedule.h"
#include "win/dialog_win.h"

class CMainDialog : public CDialog {
 public:
  CMainDialog();
  ~CMainDialog() override;

  // Creates the window from its template, without a parent.
  bool Create();

 protected:
  bool OnInitDialog() override;
  void OnFinalDestroy() override;

 private:
  void RefreshNextRun();
  void ComputeNextRunFromNow();

  bool armed_ = false;
  CSchedule schedule_;
  CScheduleEntry nextRun_;
  int nextRunWeekday_ = -1;
  HICON icon_ = nullptr;
};
