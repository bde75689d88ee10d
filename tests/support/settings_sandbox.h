// Gives a test a settings root nobody else touched: the program's key and the tests'
// scratch key are deleted when it starts and ends (in memory natively, under Wine the registry).
#pragma once

#include <string>

#include "settings/registry_key.h"

// Company and product of the scratch key the store's own tests write to.
inline constexpr const char* kScratchCompany = "Vantor";
inline constexpr const char* kScratchProduct = "Larkspur32Test";

class SettingsSandbox {
 public:
  SettingsSandbox() { Wipe(); }
  ~SettingsSandbox() { Wipe(); }
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;

 private:
  static void Wipe() {
    CRegistryKey company;
    if (company.Open(registry::kCurrentUser, std::string("Software\\") + kScratchCompany)) {
      company.DeleteTree("Larkspur32");
      company.DeleteTree(kScratchProduct);
    }
  }
};
