// What the job step machine needs from its surroundings besides the client and
// the dial-up line: the clock, a way to start programs, and its host.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "jobs/run_events.h"
#include "schedule/local_time.h"

class IClock {
 public:
  virtual ~IClock() = default;
  // Wall-clock time, seconds since 1970.
  virtual std::time_t Now() = 0;
  virtual LocalTime Local(std::time_t when) = 0;
  // A monotonic count of milliseconds, for the bounds of waits.
  virtual std::int64_t Milliseconds() = 0;
  // Blocks the calling thread.
  virtual void Sleep(int milliseconds) = 0;
};

class ILauncher {
 public:
  virtual ~ILauncher() = default;
  // Starts a program from a full command line and waits, with a bound, until
  // it is ready for input. False when it could not be started.
  virtual bool Start(const std::string& commandLine) = 0;
};

// What the machine posts to itself through its host: the next step, the end
// of the minute's reservation or forwarding, and the start-up actions.
enum class Continuation { kRunStep, kReservationDone, kForwardingDone, kArm, kFetch };

// Where the machine runs: it carries the machine's posted continuations and
// timers back to it on the same thread, and shows what the machine changed.
class IJobHost {
 public:
  virtual ~IJobHost() = default;
  // Posts a continuation with its token; only the latest one posted is acted
  // on, so a job never has two at once. The start-up actions carry none.
  virtual void Post(Continuation continuation, std::uint32_t token) = 0;
  // One-shot timer after which the machine's OnPollTimer runs; a new call replaces it.
  virtual void SetPollTimer(int milliseconds) = 0;
  virtual void KillPollTimer() = 0;
  virtual void SetRetryTimer(int milliseconds) = 0;
  virtual void KillRetryTimer() = 0;
  // The next run or the armed state changed: refresh what shows them.
  virtual void NextRunChanged() = 0;
  virtual void ArmedChanged(bool armed) = 0;
  // Something the run history keeps happened.
  virtual void Report(const RunEvent& event) = 0;
  // The account in hand or the retry wait changed (see CJobSequencer::Progress).
  virtual void ProgressChanged() = 0;
};
