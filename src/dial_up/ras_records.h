// The remote-access library's dial parameters as the program handles them, the
// library's earlier short layouts, and the field-by-field copy between our
// record and either layout of the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/cp932.h"

// Dial parameters whatever layout the library takes.
struct RasDialParams {
  std::string entryName;
  std::string phoneNumber;
  std::string callbackNumber;
  std::string userName;
  std::string password;
  std::string domain;
};

// The layouts of the library's first releases, with shorter name fields. The
// field names follow the current layouts so one copy serves both.
#pragma pack(push, 4)
struct ShortRasDialParams {
  std::uint32_t dwSize;
  char szEntryName[21];
  char szPhoneNumber[129];
  char szCallbackNumber[49];
  char szUserName[257];
  char szPassword[257];
  char szDomain[16];
};

struct ShortRasConn {
  std::uint32_t dwSize;
  void* hrasconn;
  char szEntryName[21];
};

struct ShortRasConnStatus {
  std::uint32_t dwSize;
  std::int32_t rasconnstate;
  std::uint32_t dwError;
  char szDeviceType[17];
  char szDeviceName[33];
};
#pragma pack(pop)

// The sizes the library checks in the first field.
static_assert(sizeof(ShortRasDialParams) == 736);
static_assert(sizeof(ShortRasConnStatus) == 64);
static_assert(sizeof(void*) != 4 || sizeof(ShortRasConn) == 32);

namespace ras_records {

// Copies text into a fixed field, cut on a character boundary so the field
// always keeps its terminator.
template <std::size_t N>
void CopyToField(const std::string& text, char (&field)[N]) {
  const std::string cut = cp932::Truncate(text, N - 1);
  std::memcpy(field, cut.data(), cut.size());
  field[cut.size()] = '\0';
}

// The text of a field up to its terminator, or the whole field without one.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') {
    ++length;
  }
  return std::string(field, length);
}

// Fills record (zeroed, its size in the first field) from params. False when
// the entry name does not fit the layout: a cut name could name another entry.
template <typename Record>
bool PackDialParams(const RasDialParams& params, Record& record) {
  record = Record{};
  record.dwSize = sizeof(Record);
  if (params.entryName.size() >= sizeof record.szEntryName) {
    return false;
  }
  CopyToField(params.entryName, record.szEntryName);
  CopyToField(params.phoneNumber, record.szPhoneNumber);
  CopyToField(params.callbackNumber, record.szCallbackNumber);
  CopyToField(params.userName, record.szUserName);
  CopyToField(params.password, record.szPassword);
  CopyToField(params.domain, record.szDomain);
  return true;
}

template <typename Record>
RasDialParams UnpackDialParams(const Record& record) {
  RasDialParams params;
  params.entryName = FieldText(record.szEntryName);
  params.phoneNumber = FieldText(record.szPhoneNumber);
  params.callbackNumber = FieldText(record.szCallbackNumber);
  params.userName = FieldText(record.szUserName);
  params.password = FieldText(record.szPassword);
  params.domain = FieldText(record.szDomain);
  return params;
}

}  // namespace ras_records
