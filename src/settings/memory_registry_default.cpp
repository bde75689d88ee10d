// Without the Windows registry the program's settings live in memory for the
// life of the process; this is what native builds and their tests use.
#include "settings/memory_registry.h"

namespace registry {

Backend& SystemDefault() {
  static MemoryRegistry memoryRegistry;
  return memoryRegistry;
}

}  // namespace registry
