// The settings sheet: six pages over one draft of the settings, with the mail
// client's account titles gathered once for all pages. The opener puts the
// schedule and the job records it runs on into the draft and gives the
// general page the clock's fonts, runs DoModal and, after IDOK, takes the
// results over. The draft is stored as the user applies it.
#pragma once

#include <functional>

#include "settings/settings_draft.h"
#include "settings_ui/command_page_win.h"
#include "settings_ui/corvid_page_win.h"
#include "settings_ui/larkspur_page_win.h"
#include "settings_ui/remain_page_win.h"
#include "settings_ui/reserve_page_win.h"
#include "settings_ui/schedule_page_win.h"
#include "win/property_sheet_win.h"

class CSettingSheet : public CPropertySheet {
 public:
  CSettingSheet();

  // Reads the draft's stored values and lists the client's accounts, then
  // runs the sheet on the mail client page.
  INT_PTR DoModal(HWND owner) override;

  SettingsDraft& Draft() { return draft_; }
  CLarkspurPage& GeneralPage() { return larkspurPage_; }
  // Called after every Apply or OK that every page took, once the draft is
  // stored, so the opener can pick up what changed.
  void SetApplyListener(std::function<void()> listener) { applyListener_ = std::move(listener); }

 protected:
  bool OnCommand(int id, int code) override;
  void OnApplying(bool ok) override;
  void OnApplied(bool ok) override;

 private:
  void OnMailBoxChange();
  ShownPages Shown() const;
  static const CommandEntry<CSettingSheet> kCommands[];

  SettingsDraft draft_;
  std::function<void()> applyListener_;
  CCorvidPage corvidPage_;
  CLarkspurPage larkspurPage_;
  CSchedulePage schedulePage_;
  CReservePage reservePage_;
  CRemainPage remainPage_;
  CCommandPage commandPage_;
};
