#include "settings/job_settings.h"

#include "settings/registry_key.h"
#include "settings/settings_layout.h"

JobSettings ReadJobSettings() {
  CSettingsKey root;
  JobSettings settings;
  std::string text;
  if (root.ReadStringInto(layout::kMailBoxPath.name, text)) {
    settings.dataRoot = text;
  }
  settings.clientProgram = layout::Read(root, layout::kCorvidPath);
  if (root.ReadStringInto(layout::kDefAccount.name, text)) {
    settings.defaultAccount = text;
  }
  std::vector<std::string> accounts;
  if (layout::ReadTextList(root, layout::kDefAccountKey, accounts)) {
    settings.fetchAccounts = accounts;
  }
  settings.autoStart = layout::Read(root, layout::kAutoStart) != 0;
  settings.autoCheck = layout::Read(root, layout::kAutoCheck) != 0;
  settings.catchUp = layout::Read(root, layout::kCatchUp) != 0;
  settings.lastScheduledRun = static_cast<std::uint32_t>(layout::Read(root, layout::kLastRun));
  return settings;
}
