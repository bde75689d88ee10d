#include "support/settings_sandbox.h"

#include "settings/registry_key.h"

SettingsSandbox::SettingsSandbox() { Wipe(); }

SettingsSandbox::~SettingsSandbox() { Wipe(); }

void SettingsSandbox::Wipe() {
  CRegistryKey company;
  if (company.Open(registry::kCurrentUser, std::string("Software\\") + kScratchCompany)) {
    company.DeleteTree("Larkspur32");
    company.DeleteTree(kScratchProduct);
  }
}
