// How jobs start: the minute tick, the fetch command, the retry timer, arming
// and disarming the schedule, the abort command and the start-up actions.
#include "jobs/job_sequencer.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

bool CJobSequencer::OnMainTimer() {
  tickTime_ = clock_.Now();
  const LocalTime tick = TickLocal();
  if (tick.second != 0) {
    return false;
  }
  // Second 0 usually sees two ticks; the second one must not start the
  // minute's chain again and name the same due mails to the client twice.
  const std::time_t minute = tickTime_ - tick.second;
  if (armed_ && step_ == 0 && minute != lastChainMinute_) {
    lastChainMinute_ = minute;
    Continue(2);
  }
  return true;
}

void CJobSequencer::OnTimerStart() {
  armed_ = true;
  ComputeNextRunFromNow();
  host_.NextRunChanged();
  host_.ArmedChanged(true);
}

void CJobSequencer::OnTimerStop() {
  armed_ = false;
  host_.NextRunChanged();
  host_.ArmedChanged(false);
}

void CJobSequencer::OnAbort() {
  host_.KillRetryTimer();
  retriesLeft_ = -1;
  Continue(8);
}

void CJobSequencer::OnFetch() {
  if (step_ != 0) {
    return;
  }
  CSettingsKey root;
  const std::string mailBoxPath = layout::Read(root, layout::kMailBoxPath);
  EnsureClient(mailBoxPath);
  std::vector<std::string> accounts;
  if (layout::ReadTextList(root, layout::kDefAccountKey, accounts)) {
    nextRun_.accounts = accounts;
  }
  const LocalTime tick = TickLocal();
  nextRunWeekday_ = tick.weekday;
  nextRun_.hour = tick.hour;
  nextRun_.minute = tick.minute;
  Continue(3);
}

void CJobSequencer::PostStartupActions() {
  CSettingsKey root;
  if (layout::Read(root, layout::kAutoStart) != 0 && nextRunWeekday_ >= 0) {
    host_.PostPlainCommand(ID_TIMER_START);
  }
  if (layout::Read(root, layout::kAutoCheck) != 0 && nextRunWeekday_ >= 0) {
    host_.PostPlainCommand(ID_FETCH);
  }
}
