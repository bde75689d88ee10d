#include "settings_ui/settings_sheet_win.h"

#include "data_dir/data_directory.h"
#include "res/settings_ui_ids.h"
#include "settings/settings_layout.h"

const CommandEntry<CSettingSheet> CSettingSheet::kCommands[] = {
    {ID_MAILBOX_CHANGE, kAnyCode, &CSettingSheet::OnMailBoxChange},
};

CSettingSheet::CSettingSheet()
    : CPropertySheet(IDS_SETTINGS_CAPTION),
      corvidPage_(jobs_, mailBoxPath_, titles_),
      larkspurPage_(titles_),
      schedulePage_(schedule_, jobs_, mailBoxPath_, titles_),
      reservePage_(jobs_, mailBoxPath_),
      remainPage_(jobs_, mailBoxPath_),
      commandPage_(jobs_, mailBoxPath_) {
  AddPage(&corvidPage_);
  AddPage(&larkspurPage_);
  AddPage(&schedulePage_);
  AddPage(&reservePage_);
  AddPage(&remainPage_);
  AddPage(&commandPage_);
}

INT_PTR CSettingSheet::DoModal(HWND owner) {
  CSettingsKey settings;
  mailBoxPath_ = layout::Read(settings, layout::kMailBoxPath);
  titles_ = ListAccounts(mailBoxPath_).titles;
  // What the opener reads when the general page is never shown.
  larkspurPage_.SetTaskTray(layout::Read(settings, layout::kTaskTray));
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

bool CSettingSheet::OnCommand(int id, int code) { return RouteCommand(this, kCommands, id, code); }
