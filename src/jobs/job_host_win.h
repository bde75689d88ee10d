// Runs the job step machine on the user-interface thread. The machine's
// 500 ms tick, its poll and retry timers and the continuations it posts to
// itself all arrive at a message-only window of this adapter's own, so no
// other window relays them; the owner only hears what the clock shows.
#pragma once

#include <windows.h>

#include <ctime>

#include "jobs/job_sequencer.h"

class IJobObserver {
 public:
  virtual ~IJobObserver() = default;
  // A tick that began a new minute, or fell in a minute's second 0.
  virtual void MinuteBegan(std::time_t tick) = 0;
  virtual void NextRunChanged() = 0;
  virtual void ArmedChanged(bool armed) = 0;
  virtual void RunReported(const RunEvent& event) = 0;
  virtual void ProgressChanged() = 0;
};

class CJobHost : private IJobHost {
 public:
  CJobHost(const CJobSequencer::Ports& ports, CSchedule& schedule, CAccountJobList& jobs,
           IJobObserver& observer);
  ~CJobHost() override;
  CJobHost(const CJobHost&) = delete;
  CJobHost& operator=(const CJobHost&) = delete;

  // Makes the window the machine's messages arrive at and starts the tick;
  // false when the window could not be made.
  bool Start();
  // Stops the tick, ends a job in hand (the client's window goes back where
  // the job found it) and closes the window.
  void Stop();

  CJobSequencer& Machine() { return machine_; }
  const CJobSequencer& Machine() const { return machine_; }

 private:
  // IJobHost
  void Post(Continuation continuation, std::uint32_t token) override;
  void SetPollTimer(int milliseconds) override;
  void KillPollTimer() override;
  void SetRetryTimer(int milliseconds) override;
  void KillRetryTimer() override;
  void NextRunChanged() override { observer_.NextRunChanged(); }
  void ArmedChanged(bool armed) override { observer_.ArmedChanged(armed); }
  void Report(const RunEvent& event) override { observer_.RunReported(event); }
  void ProgressChanged() override { observer_.ProgressChanged(); }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR id);

  IJobObserver& observer_;
  CJobSequencer machine_;
  HWND window_ = nullptr;
};
