// A store that passes everything to another one, counting flushes, except
// that deleting a key of a chosen name fails as the registry does when access
// is denied.
#pragma once

#include <string>

#include "settings/registry_backend.h"

class FaultyRegistry : public registry::Backend {
 public:
  FaultyRegistry(registry::Backend& inner, std::string undeletable)
      : inner_(inner), undeletable_(std::move(undeletable)) {}

  long OpenKey(registry::Handle parent, const char* name, registry::Handle* key) override;
  long CreateKey(registry::Handle parent, const char* name, registry::Handle* key) override;
  long CloseKey(registry::Handle key) override;
  long SetValue(registry::Handle key, const char* name, std::uint32_t type, const void* data,
                std::uint32_t size) override;
  long FlushKey(registry::Handle key) override;
  long QueryValue(registry::Handle key, const char* name, std::uint32_t* type, void* data,
                  std::uint32_t* size) override;
  long EnumKey(registry::Handle key, std::uint32_t index, char* name,
               std::uint32_t* nameSize) override;
  long QuerySubkeyCount(registry::Handle key, std::uint32_t* count) override;
  long DeleteKey(registry::Handle parent, const char* name) override;

  int DeleteAttempts() const { return deleteAttempts_; }
  int Flushes() const { return flushes_; }

 private:
  registry::Backend& inner_;
  std::string undeletable_;
  int deleteAttempts_ = 0;
  int flushes_ = 0;
};

// Puts a store in place for the life of the object and the previous one back after.
class ScopedRegistry {
 public:
  explicit ScopedRegistry(registry::Backend& backend) { registry::SetActive(&backend); }
  ~ScopedRegistry() { registry::SetActive(nullptr); }
  ScopedRegistry(const ScopedRegistry&) = delete;
  ScopedRegistry& operator=(const ScopedRegistry&) = delete;
};
