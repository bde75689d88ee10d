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
  return settings;
}
