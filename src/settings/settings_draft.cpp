#include "settings/settings_draft.h"

#include "data_dir/data_directory.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

namespace {

const layout::Field<ClientSettings> kClientFields[] = {
    {layout::kCorvidPath, &ClientSettings::CorvidPath},
    {layout::kDefAccount, &ClientSettings::DefAccount},
    {layout::kMailBoxPath, &ClientSettings::MailBoxPath},
    {layout::kDefMailBox, &ClientSettings::DefMailBox},
};

const layout::Field<GeneralSettings> kGeneralFields[] = {
    {layout::kAutoCheck, &GeneralSettings::AutoCheck},
    {layout::kAutoStart, &GeneralSettings::AutoStart},
    {layout::kCatchUp, &GeneralSettings::CatchUp},
    {layout::kNotifySent, &GeneralSettings::NotifySent},
    {layout::kSavePos, &GeneralSettings::SavePos},
    {layout::kTopMost, &GeneralSettings::TopMost},
    {layout::kTaskTray, &GeneralSettings::TaskTray},
    {layout::kRDoubleClk, &GeneralSettings::RDoubleClk},
    {layout::kNextTimeFont, &GeneralSettings::NextTimeFont},
    {layout::kNowTimeFont, &GeneralSettings::NowTimeFont},
    {layout::kNextTimeColor, &GeneralSettings::NextTimeColor},
    {layout::kNowTimeColor, &GeneralSettings::NowTimeColor},
};

std::vector<std::string> StoredFetchAccounts(const CRegistryKey& root) {
  std::vector<std::string> titles;
  layout::ReadTextList(root, layout::kDefAccountKey, titles);
  return titles;
}

}  // namespace

void LoadSettingsDraft(SettingsDraft& draft) {
  CSettingsKey root;
  layout::ReadFields(root, kClientFields, draft.client);
  layout::ReadFields(root, kGeneralFields, draft.general);
  draft.general.fetchAccounts = StoredFetchAccounts(root);
  draft.accountTitles = ListAccounts(draft.client.MailBoxPath).titles;
}

void ChangeDataRoot(SettingsDraft& draft, const std::string& dataRoot) {
  draft.client.MailBoxPath = dataRoot;
  draft.jobs.Load(dataRoot);
  draft.accountTitles = ListAccounts(dataRoot).titles;
  CSettingsKey root;
  draft.general.fetchAccounts = StoredFetchAccounts(root);
}

void SaveSettingsDraft(const SettingsDraft& draft, const ShownPages& shown, ApplyStep step) {
  if (step == ApplyStep::kOkTaken) {
    draft.jobs.Save();
    return;
  }
  CSettingsKey root;
  if (shown.client) {
    layout::WriteFields(root, kClientFields, draft.client);
  }
  if (shown.general) {
    layout::WriteFields(root, kGeneralFields, draft.general);
    // Without accounts (no data root, or one out of reach) there is nothing
    // to tick, which is no reason to forget the stored choice.
    if (!draft.accountTitles.empty()) {
      layout::ReplaceTextList(root, layout::kDefAccountKey, layout::kAccountItemFormat,
                              draft.general.fetchAccounts);
    }
  }
  if (shown.schedule) {
    draft.schedule.Save();
  }
}
