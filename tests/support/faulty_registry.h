// An in-memory store that counts flushes and on which deleting a key of a
// chosen name fails as the registry does when access is denied.
#pragma once

#include <string>

#include "settings/memory_registry.h"

class FaultyRegistry : public registry::MemoryRegistry {
 public:
  explicit FaultyRegistry(std::string undeletable) : undeletable_(std::move(undeletable)) {}

  long FlushKey(registry::Handle key) override;
  long DeleteKey(registry::Handle parent, const char* name) override;

  int DeleteAttempts() const { return deleteAttempts_; }
  int Flushes() const { return flushes_; }

 private:
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
