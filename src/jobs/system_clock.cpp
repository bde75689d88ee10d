#include "jobs/system_clock.h"

#include <chrono>
#include <thread>

std::time_t SystemClock::Now() { return std::time(nullptr); }

LocalTime SystemClock::Local(std::time_t when) { return ToLocalTime(when); }

std::int64_t SystemClock::Milliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SystemClock::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
