#include "settings/registry_key.h"

#include <vector>

using registry::Active;

CRegistryKey::~CRegistryKey() { Close(); }

bool CRegistryKey::Open(registry::Handle parent, const std::string& name) {
  if (handle_ != 0) {
    return false;
  }
  registry::Handle opened = 0;
  if (Active().OpenKey(parent, name.c_str(), &opened) != registry::kOk) {
    return false;
  }
  handle_ = opened;
  return true;
}

bool CRegistryKey::Create(registry::Handle parent, const std::string& name) {
  if (handle_ != 0) {
    return false;
  }
  registry::Handle created = 0;
  if (Active().CreateKey(parent, name.c_str(), &created) != registry::kOk) {
    return false;
  }
  handle_ = created;
  return true;
}

void CRegistryKey::Close() {
  if (handle_ != 0) {
    Active().CloseKey(handle_);
    handle_ = 0;
  }
}

bool CRegistryKey::WriteString(const char* valueName, const std::string& text) {
  if (handle_ == 0) {
    return false;
  }
  // Stored with its terminating NUL, as the registry's own text values are.
  const auto size = static_cast<std::uint32_t>(text.size() + 1);
  if (Active().SetValue(handle_, valueName, registry::kTypeString, text.c_str(), size) !=
      registry::kOk) {
    return false;
  }
  Active().FlushKey(handle_);
  return true;
}

bool CRegistryKey::WriteDword(const char* valueName, std::int32_t value) {
  if (handle_ == 0) {
    return false;
  }
  const auto bits = static_cast<std::uint32_t>(value);
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
      static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
  if (Active().SetValue(handle_, valueName, registry::kTypeDword, bytes, 4) != registry::kOk) {
    return false;
  }
  Active().FlushKey(handle_);
  return true;
}

std::int32_t CRegistryKey::ReadDword(const char* valueName, std::int32_t fallback) const {
  if (handle_ == 0) {
    return 0;
  }
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (Active().QueryValue(handle_, valueName, &type, nullptr, &size) != registry::kOk ||
      type != registry::kTypeDword) {
    return fallback;
  }
  unsigned char bytes[4] = {0, 0, 0, 0};
  size = sizeof bytes;
  if (Active().QueryValue(handle_, valueName, &type, bytes, &size) != registry::kOk) {
    return fallback;
  }
  const std::uint32_t bits = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                             (static_cast<std::uint32_t>(bytes[3]) << 24);
  return static_cast<std::int32_t>(bits);
}

std::string CRegistryKey::ReadString(const char* valueName, const std::string& fallback) const {
  if (handle_ == 0) {
    return std::string();
  }
  std::string text;
  return ReadStringInto(valueName, text) ? text : fallback;
}

bool CRegistryKey::ReadStringInto(const char* valueName, std::string& text) const {
  if (handle_ == 0) {
    return false;
  }
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (Active().QueryValue(handle_, valueName, &type, nullptr, &size) != registry::kOk) {
    return false;
  }
  std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
  std::uint32_t got = size;
  if (Active().QueryValue(handle_, valueName, &type, buffer.data(), &got) != registry::kOk) {
    return false;
  }
  text.assign(buffer.data());
  return true;
}

bool CRegistryKey::EnumSubkeyName(int index, std::string& name) const {
  if (handle_ == 0 || index < 0) {
    return false;
  }
  std::vector<char> buffer(1024);
  for (;;) {
    auto length = static_cast<std::uint32_t>(buffer.size());
    const long rc = Active().EnumKey(handle_, static_cast<std::uint32_t>(index), buffer.data(), &length);
    if (rc == registry::kOk) {
      name.assign(buffer.data(), length);
      return true;
    }
    if (rc != registry::kMoreData) {
      return false;
    }
    buffer.resize(buffer.size() + 64);
  }
}

bool CRegistryKey::OpenSubkeyByIndex(int index, CRegistryKey& key) const {
  std::string name;
  return EnumSubkeyName(index, name) && key.Open(handle_, name);
}

int CRegistryKey::CountSubkeys() const {
  if (handle_ == 0) {
    return 0;
  }
  std::uint32_t count = 0;
  if (Active().QuerySubkeyCount(handle_, &count) != registry::kOk) {
    return 0;
  }
  return static_cast<int>(count);
}

bool CRegistryKey::DeleteTree(const std::string& name) {
  // An empty name would address this very key and empty it.
  if (handle_ == 0 || name.empty()) {
    return false;
  }
  {
    CRegistryKey child;
    if (child.Open(handle_, name)) {
      // Each deletion moves the remaining subkeys down, so index 0 is asked
      // every time. A subkey that will not go would come back forever: stop.
      std::string grandchild;
      while (child.EnumSubkeyName(0, grandchild)) {
        if (!child.DeleteTree(grandchild)) {
          return false;
        }
      }
    }
  }
  return Active().DeleteKey(handle_, name.c_str()) == registry::kOk;
}

CSoftwareKey::CSoftwareKey(const std::string& company, const std::string& product) {
  CRegistryKey software;
  if (!software.Open(registry::kCurrentUser, "Software")) {
    return;
  }
  CRegistryKey companyKey;
  if (!companyKey.Create(software, company)) {
    return;
  }
  Create(companyKey, product);
}

CSettingsKey::CSettingsKey() : CSoftwareKey("Vantor", "Larkspur32") {}
