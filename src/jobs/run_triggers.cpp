// How jobs start: the minute tick, the fetch command, the retry timer, arming
// and disarming the schedule, the abort command and the start-up actions.
#include "jobs/job_sequencer.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

namespace {

constexpr int kMinutesPerWeek = 7 * 24 * 60;
constexpr std::time_t kHour = 60 * 60;

int WeekMinute(int weekday, int hour, int minute) { return (weekday * 24 + hour) * 60 + minute; }

}  // namespace

bool CJobSequencer::OnMainTimer() {
  tickTime_ = clock_.Now();
  const LocalTime tick = TickLocal();
  const std::time_t minute = tickTime_ - tick.second;
  // The first tick of a minute is normally in its second 0; after a sleep, a
  // clock change or a busy queue it comes later, and the clock still shows
  // the new minute at once.
  const bool newMinute = minute != lastTickMinute_;
  lastTickMinute_ = minute;
  if (newMinute) {
    RecomputeIfPassed(minute);
  }
  if (tick.second != 0) {
    return newMinute;
  }
  // Second 0 usually sees two ticks; the second one must not start the
  // minute's chain again and name the same due mails to the client twice.
  if (armed_ && step_ == 0 && minute != lastChainMinute_) {
    lastChainMinute_ = minute;
    Continue(2);
  }
  return true;
}

void CJobSequencer::OnClockChanged() {
  // The tick time stays the last tick's: a chain under way goes on with it.
  const std::time_t now = clock_.Now();
  RecomputeIfPassed(now - clock_.Local(now).second);
}

void CJobSequencer::RecomputeIfPassed(std::time_t minute) {
  // A run whose minute went by unseen would otherwise stay the next run, and
  // every later entry of the week would be skipped until it came round again.
  if (armed_ && step_ == 0 && nextRunWeekday_ >= 0 && minute > nextRunAt_) {
    ComputeNextRunFromNow();
    host_.NextRunChanged();
  }
}

std::time_t CJobSequencer::NextRunInstant(std::time_t from) const {
  const LocalTime local = clock_.Local(from);
  const std::time_t fromMinute = from - local.second;
  int ahead = (WeekMinute(nextRunWeekday_, nextRun_.hour, nextRun_.minute) -
               WeekMinute(local.weekday, local.hour, local.minute) + kMinutesPerWeek) %
              kMinutesPerWeek;
  if (ahead == 0) {
    ahead = kMinutesPerWeek;
  }
  const std::time_t guess = fromMinute + static_cast<std::time_t>(ahead) * 60;
  // A change to or from summer time on the way moves the wall clock by an hour.
  for (const std::time_t shift : {std::time_t{0}, -kHour, kHour}) {
    const LocalTime at = clock_.Local(guess + shift);
    if (at.hour == nextRun_.hour && at.minute == nextRun_.minute) {
      return guess + shift;
    }
  }
  return guess;
}

bool CJobSequencer::RunOfChainDue() const {
  // Steps 2, 1 and 3 are the minute's chain before step 3 has looked at the
  // next run; a run due in the chain's minute must survive a re-arm.
  if (step_ != 1 && step_ != 2 && step_ != 3) {
    return false;
  }
  const LocalTime tick = TickLocal();
  return nextRunWeekday_ == tick.weekday && nextRun_.hour == tick.hour &&
         nextRun_.minute == tick.minute;
}

void CJobSequencer::SetNextRunToTick() {
  const LocalTime tick = TickLocal();
  nextRunWeekday_ = tick.weekday;
  nextRun_.hour = tick.hour;
  nextRun_.minute = tick.minute;
  nextRunAt_ = tickTime_ - tick.second;
}

void CJobSequencer::OnTimerStart() {
  armed_ = true;
  if (!RunOfChainDue()) {
    ComputeNextRunFromNow();
  }
  host_.NextRunChanged();
  host_.ArmedChanged(true);
}

void CJobSequencer::OnTimerStop() {
  armed_ = false;
  host_.NextRunChanged();
  host_.ArmedChanged(false);
}

void CJobSequencer::OnScheduleChanged() {
  if (!RunOfChainDue()) {
    ComputeNextRunFromNow();
  }
  if (nextRunWeekday_ < 0) {
    OnTimerStop();
  } else if (armed_) {
    OnTimerStart();
  }
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
  SetNextRunToTick();
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
