// The real clock: local wall-clock time, a monotonic count and sleeping.
#pragma once

#include "jobs/job_ports.h"

class SystemClock : public IClock {
 public:
  std::time_t Now() override;
  LocalTime Local(std::time_t when) override;
  std::int64_t Milliseconds() override;
  void Sleep(int milliseconds) override;
};
