// The hierarchical key/value store under the key layer: the Windows registry in
// the program, an in-memory store with the same rules in native tests.
//
// The operations mirror the registry's ANSI functions one to one, with their
// error codes, so the key layer above behaves the same on either store.
#pragma once

#include <cstdint>

namespace registry {

using Handle = std::uintptr_t;  // 0: no key

// The current user's hive, the only predefined root the program uses.
constexpr Handle kCurrentUser = 0x80000001u;

// Result codes, the registry's own numbers.
constexpr long kOk = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
constexpr long kKeyDeleted = 1018;

// The two value types the program writes.
constexpr std::uint32_t kTypeString = 1;  // REG_SZ
constexpr std::uint32_t kTypeDword = 4;   // REG_DWORD

class Backend {
 public:
  virtual ~Backend() = default;

  // name may be a path of several keys joined with "\"; "" reopens parent.
  virtual long OpenKey(Handle parent, const char* name, Handle* key) = 0;
  virtual long CreateKey(Handle parent, const char* name, Handle* key) = 0;
  virtual long CloseKey(Handle key) = 0;

  // A null or empty value name addresses the key's unnamed default value.
  virtual long SetValue(Handle key, const char* name, std::uint32_t type, const void* data,
                        std::uint32_t size) = 0;
  virtual long FlushKey(Handle key) = 0;
  // data null: only type and size are reported. size in: the buffer's size;
  // out: the value's size (kMoreData when the buffer was too small).
  virtual long QueryValue(Handle key, const char* name, std::uint32_t* type, void* data,
                          std::uint32_t* size) = 0;

  // nameSize in: the buffer's size in bytes; out: the name's length without NUL.
  virtual long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) = 0;
  virtual long QuerySubkeyCount(Handle key, std::uint32_t* count) = 0;
  // Fails with kAccessDenied while the key still has subkeys.
  virtual long DeleteKey(Handle parent, const char* name) = 0;
};

// The store that every key object uses: SystemDefault() unless a test put
// another one in place.
Backend& Active();
// nullptr puts the system default back.
void SetActive(Backend* backend);
// The Windows registry in a Windows build, a process-wide in-memory store otherwise.
Backend& SystemDefault();

}  // namespace registry
