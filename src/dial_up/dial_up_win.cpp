#include "dial_up/dial_up_win.h"

#include "dial_up/ras_library_win.h"

std::unique_ptr<CDialUp> CreateSystemDialUp() {
  return std::make_unique<CDialUp>(std::make_unique<SystemRasLibrary>(),
                                   std::make_unique<SystemSleeper>());
}
