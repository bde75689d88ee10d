// The main window: a modeless dialog that lives as long as the program. It
// shows the clock and the next run under a toolbar, can live hidden behind a
// tray icon, and asks about an open dial-up line when it closes.
#pragma once

#include <windows.h>

#include "app/clock_face_win.h"
#include "app/tray_icon_win.h"
#include "client/dialer.h"
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "win/command_table.h"
#include "win/dialog_toolbar_win.h"
#include "win/dialog_win.h"

class CMainDialog : public CDialog, private ICommandStates {
 public:
  explicit CMainDialog(IDialer& dialer);
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
  // ICommandStates: the toolbar's enabling rules.
  bool IsCommandEnabled(int id) const override;

  // Window layout and the clock.
  void AddAboutItem();
  void CreateToolBar();
  void RestorePosition(const CRegistryKey& root);
  void ApplyClockLayout(const CRegistryKey& root);
  void SetClockFolded(bool folded);
  void RefreshNextRun();
  void ComputeNextRunFromNow();
  void OnPaint();

  // Tray icon, menus and the about box.
  void OnTrayNotify(LPARAM mouseMessage);
  bool OnSysCommand(WPARAM command);
  void ShowMain();
  void ShowAbout();

  // Close-down.
  bool AskToHangUp();
  void SavePosition();

  void OnClockShow() { SetClockFolded(false); }
  void OnClockHide() { SetClockFolded(true); }
  void OnShowMain() { ShowMain(); }
  void OnAbout() { ShowAbout(); }

  static const CommandEntry<CMainDialog> kCommands[];

  IDialer& dialer_;
  CDialogToolBar toolbar_;
  // The outer rectangle and client height with the clock shown, as at start.
  RECT fullWindow_{};
  int fullClientHeight_ = 0;
  CClockFace clock_;
  CTrayIcon tray_;
  bool armed_ = false;
  bool settingsOpen_ = false;
  CSchedule schedule_;
  CScheduleEntry nextRun_;
  int nextRunWeekday_ = -1;
  HICON icon_ = nullptr;
};
