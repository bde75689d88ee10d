#include "dial_up/ras_library_win.h"

#include <ras.h>

namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
  // Through the generic function type, which converts to any other.
  using Generic = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

using GetEntryDialParamsFunction = decltype(&RasGetEntryDialParamsA);
using EnumConnectionsFunction = decltype(&RasEnumConnectionsA);
using DialFunction = decltype(&RasDialA);
using GetConnectStatusFunction = decltype(&RasGetConnectStatusA);
using HangUpFunction = decltype(&RasHangUpA);

HRASCONN ToHandle(IRasLibrary::Handle connection) { return reinterpret_cast<HRASCONN>(connection); }

// The kept library, or the library loaded for one call and freed after it.
class ModuleForCall {
 public:
  ModuleForCall(HMODULE kept, const std::string& fileName)
      : module_(kept != nullptr ? kept : LoadLibraryA(fileName.c_str())), owned_(kept == nullptr) {}
  ~ModuleForCall() {
    if (owned_ && module_ != nullptr) {
      FreeLibrary(module_);
    }
  }
  ModuleForCall(const ModuleForCall&) = delete;
  ModuleForCall& operator=(const ModuleForCall&) = delete;

  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
  bool owned_;
};

}  // namespace

SystemRasLibrary::Layout SystemRasLibrary::LayoutForThisSystem() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
  const bool shortLayout =
      known && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMinorVersion == 5;
  return shortLayout ? Layout::kShort : Layout::kStandard;
}

SystemRasLibrary::SystemRasLibrary(Layout layout, const std::string& fileName)
    : layout_(layout), fileName_(fileName), module_(LoadLibraryA(fileName.c_str())) {}

SystemRasLibrary::~SystemRasLibrary() {
  if (module_ != nullptr) {
    FreeLibrary(module_);
  }
}

std::uint32_t SystemRasLibrary::GetEntryDialParams(RasDialParams& params) {
  const ModuleForCall module(module_, fileName_);
  if (module.Get() == nullptr) {
    return kRasNoLibrary;
  }
  return layout_ == Layout::kShort ? GetEntryDialParamsAs<ShortRasDialParams>(module.Get(), params)
                                   : GetEntryDialParamsAs<RASDIALPARAMSA>(module.Get(), params);
}

template <typename Record>
std::uint32_t SystemRasLibrary::GetEntryDialParamsAs(HMODULE module, RasDialParams& params) {
  const auto function = Find<GetEntryDialParamsFunction>(module, "RasGetEntryDialParamsA");
  if (function == nullptr) {
    return kRasNoFunction;
  }
  Record record;
  if (!ras_records::PackDialParams(params, record)) {
    return kRasEntryNotFound;
  }
  BOOL passwordSaved = FALSE;
  const DWORD result =
      function(nullptr, reinterpret_cast<RASDIALPARAMSA*>(&record), &passwordSaved);
  params = ras_records::UnpackDialParams(record);
  return result;
}

std::uint32_t SystemRasLibrary::EnumConnections(std::uint32_t& count) {
  const ModuleForCall module(module_, fileName_);
  if (module.Get() == nullptr) {
    return kRasNoLibrary;
  }
  return layout_ == Layout::kShort ? EnumConnectionsAs<ShortRasConn>(module.Get(), count)
                                   : EnumConnectionsAs<RASCONNA>(module.Get(), count);
}

template <typename Record>
std::uint32_t SystemRasLibrary::EnumConnectionsAs(HMODULE module, std::uint32_t& count) {
  const auto function = Find<EnumConnectionsFunction>(module, "RasEnumConnectionsA");
  if (function == nullptr) {
    return kRasNoFunction;
  }
  Record entry{};
  entry.dwSize = sizeof entry;
  DWORD bytes = sizeof entry;
  DWORD connections = 0;
  const DWORD result = function(reinterpret_cast<RASCONNA*>(&entry), &bytes, &connections);
  count = connections;
  return result;
}

std::uint32_t SystemRasLibrary::Dial(const RasDialParams& params, Handle& connection) {
  return layout_ == Layout::kShort ? DialAs<ShortRasDialParams>(params, connection)
                                   : DialAs<RASDIALPARAMSA>(params, connection);
}

template <typename Record>
std::uint32_t SystemRasLibrary::DialAs(const RasDialParams& params, Handle& connection) {
  connection = 0;
  if (module_ == nullptr) {
    return kRasNoLibrary;
  }
  const auto function = Find<DialFunction>(module_, "RasDialA");
  if (function == nullptr) {
    return kRasNoFunction;
  }
  Record record;
  if (!ras_records::PackDialParams(params, record)) {
    return kRasEntryNotFound;
  }
  // No extensions, the default phone book and no notifier: returns when the
  // line is up or has failed.
  HRASCONN handle = nullptr;
  const DWORD result =
      function(nullptr, nullptr, reinterpret_cast<RASDIALPARAMSA*>(&record), 0, nullptr, &handle);
  connection = reinterpret_cast<Handle>(handle);
  return result;
}

std::uint32_t SystemRasLibrary::GetConnectStatus(Handle connection) {
  return layout_ == Layout::kShort ? GetConnectStatusAs<ShortRasConnStatus>(connection)
                                   : GetConnectStatusAs<RASCONNSTATUSA>(connection);
}

template <typename Record>
std::uint32_t SystemRasLibrary::GetConnectStatusAs(Handle connection) {
  if (module_ == nullptr) {
    return kRasNoLibrary;
  }
  const auto function = Find<GetConnectStatusFunction>(module_, "RasGetConnectStatusA");
  if (function == nullptr) {
    return kRasNoFunction;
  }
  Record status{};
  status.dwSize = sizeof status;
  return function(ToHandle(connection), reinterpret_cast<RASCONNSTATUSA*>(&status));
}

std::uint32_t SystemRasLibrary::HangUp(Handle connection) {
  if (module_ == nullptr) {
    return kRasNoLibrary;
  }
  const auto function = Find<HangUpFunction>(module_, "RasHangUpA");
  if (function == nullptr) {
    return kRasNoFunction;
  }
  return function(ToHandle(connection));
}
