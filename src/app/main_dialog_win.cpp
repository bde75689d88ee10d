#include "app/main_dialog_win.h"

#include <ctime>

#include "app/clock_texts.h"
#include "res/resource.h"
#include "win/application_win.h"

CMainDialog::CMainDialog() : CDialog(IDD_MAIN) {
  icon_ = LoadIconA(CWinApplication::Current()->Instance(), MAKEINTRESOURCEA(IDI_PROGRAM));
}

CMainDialog::~CMainDialog() = default;

bool CMainDialog::Create() { return CDialog::Create(nullptr); }

bool CMainDialog::OnInitDialog() {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

  const LocalTime now = ToLocalTime(std::time(nullptr));
  SetItemText(IDC_NOW_TIME, ClockTimeText(now));
  SetItemText(IDC_NOW_WEEKDAY, WeekdayLabel(now.weekday));

  schedule_.Load();
  ComputeNextRunFromNow();
  RefreshNextRun();
  return true;
}

void CMainDialog::ComputeNextRunFromNow() {
  const LocalTime now = ToLocalTime(std::time(nullptr));
  nextRunWeekday_ = schedule_.ComputeNextRun(now.hour, now.minute, now.weekday, nextRun_);
}

void CMainDialog::RefreshNextRun() {
  const NextRunTexts texts =
      MakeNextRunTexts(armed_, nextRunWeekday_, nextRun_.hour, nextRun_.minute);
  SetItemText(IDC_NEXT_TIME, texts.time);
  SetItemText(IDC_NEXT_WEEKDAY, texts.weekday);
}

void CMainDialog::OnFinalDestroy() { delete this; }
