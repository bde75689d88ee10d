// The main window: a modeless dialog that lives as long as the program and
// owns all run-time state, the job step machine among it. It shows the clock
// and the next run under a toolbar, can live hidden behind a tray icon, and
// asks about an open dial-up line when it closes.
#pragma once

#include <windows.h>

#include <ctime>
#include <memory>

#include "app/clock_face_win.h"
#include "app/history_dialog_win.h"
#include "app/pending_dialog_win.h"
#include "app/tray_icon_win.h"
#include "bridge/mail_client.h"
#include "dial_up/dialer.h"
#include "history/history_log_win.h"
#include "jobs/job_host_win.h"
#include "jobs/job_ports.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/registry_key.h"
#include "win/command_table.h"
#include "win/dialog_toolbar_win.h"
#include "win/dialog_win.h"

class CMainDialog : public CDialog, private IJobObserver, private ICommandStates {
 public:
  // The outside world as the main window and its job engine reach it.
  explicit CMainDialog(const CJobSequencer::Ports& ports);
  ~CMainDialog() override;

  // Creates the window from its template, without a parent.
  bool Create();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnDestroy() override;
  void OnFinalDestroy() override;

 private:
  // IJobObserver
  void MinuteBegan(std::time_t tick) override;
  void NextRunChanged() override;
  void ArmedChanged(bool armed) override;
  void RunReported(const RunEvent& event) override;
  // The account in hand in the caption and the tray tip; the retry's time in
  // place of the next run while one is awaited.
  void ProgressChanged() override;
  // Tells the user of an event, in its history line's words: a balloon from
  // the tray icon, else a flashing caption.
  void Tell(const HistoryLine& line, bool failure);

  // ICommandStates: the toolbar's enabling rules.
  bool IsCommandEnabled(int id) const override;

  CJobSequencer& Machine() { return jobHost_->Machine(); }
  const CJobSequencer& Machine() const { return jobHost_->Machine(); }
  // The stored settings the job engine reads, read again.
  void RefreshJobSettings();
  // Resumed from sleep, or the system clock was set.
  void OnClockChanged();
  void RefreshClock(std::time_t when);
  void RefreshNextRun();

  // Window layout and the clock.
  // The history, pending and about items below the system menu's own.
  void AddSystemMenuItems();
  void CreateToolBar();
  void RestorePosition(const CRegistryKey& root);
  void ApplyClockLayout(const CRegistryKey& root);
  void SetClockFolded(bool folded);
  void OnPaint();

  // Tray icon, menus and the about box.
  void OnTrayNotify(LPARAM mouseMessage);
  bool OnSysCommand(WPARAM command);
  void ShowMain();
  void ShowAbout();

  // Close-down.
  bool AskToHangUp();
  void SavePosition();

  void OnTimerStart() { Machine().OnTimerStart(); }
  void OnTimerStop() { Machine().OnTimerStop(); }
  void OnAbort() { Machine().OnAbort(); }
  void OnFetch() { Machine().OnFetch(); }
  void OnClockShow() { SetClockFolded(false); }
  void OnClockHide() { SetClockFolded(true); }
  void OnShowMain() { ShowMain(); }
  // Opens the settings sheet on copies and takes its results over after OK.
  void OnSettings();
  void OnAbout() { ShowAbout(); }
  void OnHistory() { historyWindow_.Open(Handle()); }
  void OnPending() { pendingWindow_.Open(Handle()); }

  static const CommandEntry<CMainDialog> kCommands[];

  CJobSequencer::Ports ports_;
  CDialogToolBar toolbar_;
  // The outer rectangle and client height with the clock shown, as at start.
  RECT fullWindow_{};
  int fullClientHeight_ = 0;
  CClockFace clock_;
  CTrayIcon tray_;
  bool settingsOpen_ = false;
  CSchedule schedule_;
  CAccountJobList jobs_;
  std::unique_ptr<CJobHost> jobHost_;
  CRunHistoryLog history_;
  CHistoryDialog historyWindow_{history_.File()};
  CPendingDialog pendingWindow_{[this] {
    return ListPendingMails(Machine().Settings().dataRoot.value_or(std::string()), jobs_, ports_.clock.Now());
  }};
  HICON icon_ = nullptr;
};
