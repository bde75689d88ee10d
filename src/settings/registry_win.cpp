// The Windows registry behind the key layer, through the ANSI functions so that
// names and texts stay cp932 bytes.
#include <windows.h>

#include "settings/registry_backend.h"

namespace registry {

namespace {

// KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY: every key is opened for
// reading and writing alike.
constexpr REGSAM kAccess = 0x2001F;

HKEY ToKey(Handle handle) {
  return handle == kCurrentUser ? HKEY_CURRENT_USER : reinterpret_cast<HKEY>(handle);
}

Handle FromKey(HKEY key) { return reinterpret_cast<Handle>(key); }

class WindowsRegistry : public Backend {
 public:
  long OpenKey(Handle parent, const char* name, Handle* key) override {
    HKEY opened = nullptr;
    const LONG rc = RegOpenKeyExA(ToKey(parent), name, 0, kAccess, &opened);
    if (rc == ERROR_SUCCESS) {
      *key = FromKey(opened);
    }
    return rc;
  }

  long CreateKey(Handle parent, const char* name, Handle* key) override {
    HKEY created = nullptr;
    const LONG rc = RegCreateKeyExA(ToKey(parent), name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    kAccess, nullptr, &created, nullptr);
    if (rc == ERROR_SUCCESS) {
      *key = FromKey(created);
    }
    return rc;
  }

  long CloseKey(Handle key) override { return RegCloseKey(ToKey(key)); }

  long SetValue(Handle key, const char* name, std::uint32_t type, const void* data,
                std::uint32_t size) override {
    return RegSetValueExA(ToKey(key), name, 0, type, static_cast<const BYTE*>(data), size);
  }

  long FlushKey(Handle key) override { return RegFlushKey(ToKey(key)); }

  long QueryValue(Handle key, const char* name, std::uint32_t* type, void* data,
                  std::uint32_t* size) override {
    DWORD valueType = 0;
    DWORD valueSize = size != nullptr ? *size : 0;
    const LONG rc = RegQueryValueExA(ToKey(key), name, nullptr, &valueType,
                                     static_cast<BYTE*>(data), size != nullptr ? &valueSize : nullptr);
    if (type != nullptr) {
      *type = valueType;
    }
    if (size != nullptr) {
      *size = valueSize;
    }
    return rc;
  }

  long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
    DWORD length = *nameSize;
    const LONG rc = RegEnumKeyExA(ToKey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    *nameSize = length;
    return rc;
  }

  long QuerySubkeyCount(Handle key, std::uint32_t* count) override {
    DWORD subkeys = 0;
    const LONG rc = RegQueryInfoKeyA(ToKey(key), nullptr, nullptr, nullptr, &subkeys, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    *count = subkeys;
    return rc;
  }

  long DeleteKey(Handle parent, const char* name) override {
    return RegDeleteKeyA(ToKey(parent), name);
  }
};

}  // namespace

Backend& SystemDefault() {
  static WindowsRegistry windowsRegistry;
  return windowsRegistry;
}

}  // namespace registry
