#include "app/main_dialog_win.h"

#include "app/clock_texts.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "win/application_win.h"

const CommandEntry<CMainDialog> CMainDialog::kCommands[] = {
    {ID_TIMER_START, kAnyCode, &CMainDialog::OnTimerStart},
    {ID_TIMER_STOP, kAnyCode, &CMainDialog::OnTimerStop},
    {ID_ABORT, kAnyCode, &CMainDialog::OnAbort},
    {ID_FETCH, kAnyCode, &CMainDialog::OnFetch},
};

CMainDialog::CMainDialog(const MainPorts& ports) : CDialog(IDD_MAIN), ports_(ports) {
  sequencer_ = std::make_unique<CJobSequencer>(
      CJobSequencer::Ports{ports.client, ports.dialer, ports.launcher, ports.clock, *this}, schedule_,
      jobs_);
  icon_ = LoadIconA(CWinApplication::Current()->Instance(), MAKEINTRESOURCEA(IDI_PROGRAM));
}

CMainDialog::~CMainDialog() = default;

bool CMainDialog::Create() { return CDialog::Create(nullptr); }

bool CMainDialog::OnInitDialog() {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  {
    CSettingsKey root;
    std::string mailBoxPath;
    if (root.ReadStringInto(layout::kMailBoxPath.name, mailBoxPath)) {
      jobs_.Load(mailBoxPath);
    }
  }
  RefreshClock(ports_.clock.Now());
  schedule_.Load();
  sequencer_->ComputeNextRunFromNow();
  RefreshNextRun();
  sequencer_->PostStartupActions();
  SetTimer(Handle(), TIMER_MAIN, 500, nullptr);
  return true;
}

bool CMainDialog::OnCommand(int id, int code) {
  switch (id) {
    case ID_WORK_START:
    case ID_RESERVE_FIN:
    case ID_REMAIN_FIN:
      sequencer_->OnCommand(id, static_cast<std::uint32_t>(CommandParam()));
      return true;
    default:
      break;
  }
  return RouteCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code);
}

bool CMainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (message == WM_TIMER) {
    OnTimer(wParam);
    result = 0;
    return true;
  }
  return false;
}

void CMainDialog::OnTimer(UINT_PTR id) {
  switch (id) {
    case TIMER_MAIN:
      if (sequencer_->OnMainTimer()) {
        RefreshClock(sequencer_->TickTime());
      }
      break;
    case TIMER_RETRY:
      sequencer_->OnRetryTimer();
      break;
    case TIMER_POLL:
      sequencer_->OnPollTimer();
      break;
    default:
      break;
  }
}

void CMainDialog::RefreshClock(std::time_t when) {
  const LocalTime now = ports_.clock.Local(when);
  SetItemText(IDC_NOW_TIME, ClockTimeText(now));
  SetItemText(IDC_NOW_WEEKDAY, WeekdayLabel(now.weekday));
}

void CMainDialog::RefreshNextRun() {
  const CScheduleEntry& next = sequencer_->NextRun();
  const NextRunTexts texts =
      MakeNextRunTexts(sequencer_->Armed(), sequencer_->NextRunWeekday(), next.hour, next.minute);
  SetItemText(IDC_NEXT_TIME, texts.time);
  SetItemText(IDC_NEXT_WEEKDAY, texts.weekday);
}

void CMainDialog::PostCommand(int command, std::uint32_t token) {
  PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), static_cast<LPARAM>(token));
}

void CMainDialog::PostPlainCommand(int command) {
  PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void CMainDialog::SetPollTimer(int milliseconds) {
  SetTimer(Handle(), TIMER_POLL, static_cast<UINT>(milliseconds), nullptr);
}

void CMainDialog::KillPollTimer() { KillTimer(Handle(), TIMER_POLL); }

void CMainDialog::SetRetryTimer(int milliseconds) {
  SetTimer(Handle(), TIMER_RETRY, static_cast<UINT>(milliseconds), nullptr);
}

void CMainDialog::KillRetryTimer() { KillTimer(Handle(), TIMER_RETRY); }

void CMainDialog::NextRunChanged() { RefreshNextRun(); }

void CMainDialog::ArmedChanged(bool) { RefreshNextRun(); }

int CMainDialog::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

void CMainDialog::OnFinalDestroy() { delete this; }
