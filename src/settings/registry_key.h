// Key objects through which every setting is read and written. Each holds at
// most one open key and closes it when it goes out of scope; nothing is cached,
// and every successful write is flushed at once.
//
// Reads never fail loudly: a missing value gives the caller's default, and a
// key object that is not open gives 0 or empty text whatever the default.
#pragma once

#include <cstdint>
#include <string>

#include "settings/registry_backend.h"

class CRegistryKey {
 public:
  CRegistryKey() = default;
  virtual ~CRegistryKey();
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  registry::Handle Handle() const { return handle_; }
  bool IsOpen() const { return handle_ != 0; }

  // Opens an existing subkey; refused while this object holds a key.
  bool Open(registry::Handle parent, const std::string& name);
  bool Open(const CRegistryKey& parent, const std::string& name) { return Open(parent.Handle(), name); }
  // Opens a subkey, creating it when missing; refused while this object holds a key.
  bool Create(registry::Handle parent, const std::string& name);
  bool Create(const CRegistryKey& parent, const std::string& name) { return Create(parent.Handle(), name); }
  void Close();

  // A null value name addresses the key's unnamed default value.
  bool WriteString(const char* valueName, const std::string& text);
  bool WriteDword(const char* valueName, std::int32_t value);
  // A value of another type than REG_DWORD reads as the default.
  std::int32_t ReadDword(const char* valueName, std::int32_t fallback) const;
  // Whatever the value's type, its bytes up to the first NUL.
  std::string ReadString(const char* valueName, const std::string& fallback) const;
  // True and text set when the value exists; false and text untouched otherwise.
  bool ReadStringInto(const char* valueName, std::string& text) const;

  bool EnumSubkeyName(int index, std::string& name) const;
  // Opens the subkey at index into key, which must not hold a key yet.
  bool OpenSubkeyByIndex(int index, CRegistryKey& key) const;
  int CountSubkeys() const;
  // Deletes the named subkey with everything below it, deepest first. When a
  // key below cannot be deleted the walk stops there and the named key stays.
  bool DeleteTree(const std::string& name);

 protected:
  registry::Handle handle_ = 0;
};

// HKEY_CURRENT_USER\Software\<company>\<product>, created when missing.
class CSoftwareKey : public CRegistryKey {
 public:
  CSoftwareKey(const std::string& company, const std::string& product);
};

// The settings root, HKEY_CURRENT_USER\Software\Vantor\Larkspur32.
class CSettingsKey : public CSoftwareKey {
 public:
  CSettingsKey();
};
