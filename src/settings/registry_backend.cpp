#include "settings/registry_backend.h"

namespace registry {

namespace {
Backend* activeBackend = nullptr;
}

Backend& Active() { return activeBackend != nullptr ? *activeBackend : SystemDefault(); }

void SetActive(Backend* backend) { activeBackend = backend; }

}  // namespace registry
