// The program's dial-up line: the system's remote-access library, in the
// layout this system expects, and real sleeps.
#pragma once

#include <windows.h>

#include <memory>

#include "dial_up/dial_up.h"

class SystemSleeper : public ISleeper {
 public:
  void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }
  std::uint64_t NowMs() override { return GetTickCount64(); }
};

std::unique_ptr<CDialUp> CreateSystemDialUp();
