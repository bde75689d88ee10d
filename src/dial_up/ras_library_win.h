// The system's remote-access library, loaded at run time so the program also
// starts where it is missing.
#pragma once

#include <windows.h>

#include <string>

#include "dial_up/ras_library.h"

class SystemRasLibrary : public IRasLibrary {
 public:
  // Which record layout the library takes.
  enum class Layout { kStandard, kShort };

  // The short layout on the NT platform with minor version 5, the standard
  // one everywhere else.
  static Layout LayoutForThisSystem();

  explicit SystemRasLibrary(Layout layout = LayoutForThisSystem(),
                            const std::string& fileName = "rasapi32.dll");
  ~SystemRasLibrary() override;
  SystemRasLibrary(const SystemRasLibrary&) = delete;
  SystemRasLibrary& operator=(const SystemRasLibrary&) = delete;

  std::uint32_t GetEntryDialParams(RasDialParams& params) override;
  std::uint32_t EnumConnections(std::uint32_t& count) override;
  std::uint32_t Dial(const RasDialParams& params, Handle& connection) override;
  std::uint32_t GetConnectStatus(Handle connection) override;
  std::uint32_t HangUp(Handle connection) override;

 private:
  template <typename Record>
  std::uint32_t GetEntryDialParamsAs(HMODULE module, RasDialParams& params);
  template <typename Record>
  std::uint32_t EnumConnectionsAs(HMODULE module, std::uint32_t& count);
  template <typename Record>
  std::uint32_t DialAs(const RasDialParams& params, Handle& connection);
  template <typename Record>
  std::uint32_t GetConnectStatusAs(Handle connection);

  Layout layout_;
  std::string fileName_;
  HMODULE module_ = nullptr;
};
