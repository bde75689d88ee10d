#include "schedule/local_time.h"

std::tm ToLocalParts(std::time_t when) {
  std::tm parts{};
#ifdef _WIN32
  localtime_s(&parts, &when);
#else
  localtime_r(&when, &parts);
#endif
  return parts;
}

LocalTime ToLocalTime(std::time_t when) {
  const std::tm parts = ToLocalParts(when);
  LocalTime local;
  local.hour = parts.tm_hour;
  local.minute = parts.tm_min;
  local.second = parts.tm_sec;
  local.weekday = parts.tm_wday;
  return local;
}
