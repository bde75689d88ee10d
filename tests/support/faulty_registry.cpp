#include "support/faulty_registry.h"

long FaultyRegistry::FlushKey(registry::Handle key) {
  ++flushes_;
  return MemoryRegistry::FlushKey(key);
}

long FaultyRegistry::DeleteKey(registry::Handle parent, const char* name) {
  ++deleteAttempts_;
  if (name != nullptr && undeletable_ == name) {
    return registry::kAccessDenied;
  }
  return MemoryRegistry::DeleteKey(parent, name);
}
