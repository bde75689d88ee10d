#include "settings_ui/settings_sheet_win.h"

#include "res/settings_ui_ids.h"

const CommandEntry<CSettingSheet> CSettingSheet::kCommands[] = {
    {ID_MAILBOX_CHANGE, kAnyCode, &CSettingSheet::OnMailBoxChange},
};

CSettingSheet::CSettingSheet()
    : CPropertySheet(IDS_SETTINGS_CAPTION),
      corvidPage_(draft_),
      larkspurPage_(draft_),
      schedulePage_(draft_),
      reservePage_(draft_),
      remainPage_(draft_),
      commandPage_(draft_) {
  AddPage(&corvidPage_);
  AddPage(&larkspurPage_);
  AddPage(&schedulePage_);
  AddPage(&reservePage_);
  AddPage(&remainPage_);
  AddPage(&commandPage_);
}

INT_PTR CSettingSheet::DoModal(HWND owner) {
  LoadSettingsDraft(draft_);
  // The general page starts from the fonts the clock uses, not from the store.
  draft_.general.NowTimeFont = larkspurPage_.NowFont().lfFaceName;
  draft_.general.NextTimeFont = larkspurPage_.NextFont().lfFaceName;
  return CPropertySheet::DoModal(owner);
}

void CSettingSheet::OnMailBoxChange() {
  // Other titles and reloaded job settings: the general page's tree and the
  // lists of the record pages already shown still hold the old ones.
  larkspurPage_.ReloadAccounts();
  for (CAccountRecordPage* page : {static_cast<CAccountRecordPage*>(&reservePage_),
                                   static_cast<CAccountRecordPage*>(&remainPage_),
                                   static_cast<CAccountRecordPage*>(&commandPage_)}) {
    if (page->Handle() != nullptr) {
      page->ReloadAccounts();
    }
  }
}

ShownPages CSettingSheet::Shown() const {
  // A page has its window from its first showing until the sheet closes.
  return {corvidPage_.Handle() != nullptr, larkspurPage_.Handle() != nullptr, schedulePage_.Handle() != nullptr};
}

void CSettingSheet::OnApplying(bool) { SaveSettingsDraft(draft_, Shown(), ApplyStep::kPressed); }

void CSettingSheet::OnApplied(bool ok) {
  if (ok) {
    SaveSettingsDraft(draft_, Shown(), ApplyStep::kOkTaken);
  }
  if (applyListener_) {
    applyListener_();
  }
}

bool CSettingSheet::OnCommand(int id, int code) { return RouteCommand(this, kCommands, id, code); }
