#include "support/faulty_registry.h"

long FaultyRegistry::OpenKey(registry::Handle parent, const char* name, registry::Handle* key) {
  return inner_.OpenKey(parent, name, key);
}
long FaultyRegistry::CreateKey(registry::Handle parent, const char* name, registry::Handle* key) {
  return inner_.CreateKey(parent, name, key);
}
long FaultyRegistry::CloseKey(registry::Handle key) { return inner_.CloseKey(key); }
long FaultyRegistry::SetValue(registry::Handle key, const char* name, std::uint32_t type,
                              const void* data, std::uint32_t size) {
  return inner_.SetValue(key, name, type, data, size);
}
long FaultyRegistry::FlushKey(registry::Handle key) {
  ++flushes_;
  return inner_.FlushKey(key);
}
long FaultyRegistry::QueryValue(registry::Handle key, const char* name, std::uint32_t* type,
                                void* data, std::uint32_t* size) {
  return inner_.QueryValue(key, name, type, data, size);
}
long FaultyRegistry::EnumKey(registry::Handle key, std::uint32_t index, char* name,
                             std::uint32_t* nameSize) {
  return inner_.EnumKey(key, index, name, nameSize);
}
long FaultyRegistry::QuerySubkeyCount(registry::Handle key, std::uint32_t* count) {
  return inner_.QuerySubkeyCount(key, count);
}
long FaultyRegistry::DeleteKey(registry::Handle parent, const char* name) {
  ++deleteAttempts_;
  if (name != nullptr && undeletable_ == name) {
    return registry::kAccessDenied;
  }
  return inner_.DeleteKey(parent, name);
}
