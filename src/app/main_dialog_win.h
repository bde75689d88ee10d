// The main window: a modeless dialog that lives as long as the program and
// owns all run-time state, the job step machine among it.
#pragma once

#include <windows.h>

#include <memory>

#include "client/dialer.h"
#include "client/mail_client.h"
#include "jobs/job_ports.h"
#include "jobs/job_sequencer.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "win/command_table.h"
#include "win/dialog_win.h"

// The outside world as the main window reaches it.
struct MainPorts {
  IMailClient& client;
  IDialer& dialer;
  ILauncher& launcher;
  IClock& clock;
};

class CMainDialog : public CDialog, private IJobHost {
 public:
  explicit CMainDialog(const MainPorts& ports);
  ~CMainDialog() override;

  // Creates the window from its template, without a parent.
  bool Create();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnFinalDestroy() override;

 private:
  // IJobHost
  void PostCommand(int command, std::uint32_t token) override;
  void PostPlainCommand(int command) override;
  void SetPollTimer(int milliseconds) override;
  void KillPollTimer() override;
  void SetRetryTimer(int milliseconds) override;
  void KillRetryTimer() override;
  void NextRunChanged() override;
  void ArmedChanged(bool armed) override;
  int ScreenWidth() override;

  void OnTimer(UINT_PTR id);
  void RefreshClock(std::time_t when);
  void RefreshNextRun();

  void OnTimerStart() { sequencer_->OnTimerStart(); }
  void OnTimerStop() { sequencer_->OnTimerStop(); }
  void OnAbort() { sequencer_->OnAbort(); }
  void OnFetch() { sequencer_->OnFetch(); }

  static const CommandEntry<CMainDialog> kCommands[];

  MainPorts ports_;
  CSchedule schedule_;
  CAccountJobList jobs_;
  std::unique_ptr<CJobSequencer> sequencer_;
  HICON icon_ = nullptr;
};
