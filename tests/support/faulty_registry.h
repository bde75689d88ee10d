// A store that passes everything to another one and counts flushes, except
// that deleting a key of a chosen name fails as the registry does when access
// is denied.
#pragma once

#include <string>

#include "settings/registry_backend.h"

class FaultyRegistry : public registry::Backend {
 public:
  using Handle = registry::Handle;
  using Size = std::uint32_t;

  FaultyRegistry(registry::Backend& inner, std::string undeletable)
      : inner_(inner), undeletable_(std::move(undeletable)) {}

  long OpenKey(Handle parent, const char* name, Handle* key) override { return inner_.OpenKey(parent, name, key); }
  long CreateKey(Handle parent, const char* name, Handle* key) override { return inner_.CreateKey(parent, name, key); }
  long CloseKey(Handle key) override { return inner_.CloseKey(key); }
  long SetValue(Handle key, const char* name, Size type, const void* data, Size size) override {
    return inner_.SetValue(key, name, type, data, size);
  }
  long FlushKey(Handle key) override;
  long QueryValue(Handle key, const char* name, Size* type, void* data, Size* size) override {
    return inner_.QueryValue(key, name, type, data, size);
  }
  long EnumKey(Handle key, Size index, char* name, Size* size) override { return inner_.EnumKey(key, index, name, size); }
  long QuerySubkeyCount(Handle key, Size* count) override { return inner_.QuerySubkeyCount(key, count); }
  long DeleteKey(Handle parent, const char* name) override;

  int DeleteAttempts() const { return deleteAttempts_; }
  int Flushes() const { return flushes_; }

 private:
  registry::Backend& inner_;
  std::string undeletable_;
  int deleteAttempts_ = 0;
  int flushes_ = 0;
};

// Puts a store in place for the life of the object and the system's back after.
class ScopedRegistry {
 public:
  explicit ScopedRegistry(registry::Backend& backend) { registry::SetActive(&backend); }
  ~ScopedRegistry() { registry::SetActive(nullptr); }
  ScopedRegistry(const ScopedRegistry&) = delete;
  ScopedRegistry& operator=(const ScopedRegistry&) = delete;
};
