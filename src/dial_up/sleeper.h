// Sleeping and a millisecond clock for waits that must stay bounded; tests
// replace it so they never really wait.
#pragma once

#include <cstdint>

class ISleeper {
 public:
  virtual ~ISleeper() = default;

  virtual void Sleep(unsigned milliseconds) = 0;
  // A monotonic count of milliseconds.
  virtual std::uint64_t NowMs() = 0;
};
