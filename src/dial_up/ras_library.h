// The five calls of the remote-access library that the dial-up line makes,
// behind an interface so the connect and hang-up procedures run against a fake.
#pragma once

#include <cstdint>

#include "dial_up/ras_records.h"

// Results of our own, returned instead of calling the library.
constexpr std::uint32_t kRasNoLibrary = 754;
constexpr std::uint32_t kRasNoFunction = 755;
// The library's answers the procedures look at.
constexpr std::uint32_t kRasInvalidHandle = 6;
constexpr std::uint32_t kRasBufferTooSmall = 603;
constexpr std::uint32_t kRasEntryNotFound = 623;

class IRasLibrary {
 public:
  using Handle = std::uintptr_t;

  virtual ~IRasLibrary() = default;

  // Fills params from the default phone book's entry params.entryName.
  virtual std::uint32_t GetEntryDialParams(RasDialParams& params) = 0;
  // Lists the active connections into room for one entry; count receives how
  // many the library reports.
  virtual std::uint32_t EnumConnections(std::uint32_t& count) = 0;
  // Dials through the default phone book and returns when the line is up or
  // has failed. connection receives the handle, on some failures too.
  virtual std::uint32_t Dial(const RasDialParams& params, Handle& connection) = 0;
  // 0 while the connection exists, kRasInvalidHandle once it is gone.
  virtual std::uint32_t GetConnectStatus(Handle connection) = 0;
  virtual std::uint32_t HangUp(Handle connection) = 0;
};
