#include "support/faulty_registry.h"

long FaultyRegistry::FlushKey(Handle key) {
  ++flushes_;
  return inner_.FlushKey(key);
}

long FaultyRegistry::DeleteKey(Handle parent, const char* name) {
  ++deleteAttempts_;
  if (name != nullptr && undeletable_ == name) {
    return registry::kAccessDenied;
  }
  return inner_.DeleteKey(parent, name);
}
