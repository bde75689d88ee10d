// The program: the client's directories through the Win32 file functions.
#include <windows.h>

#include <vector>

#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "data_dir/wildcard.h"
#include "text/cp932.h"

namespace filesys {

std::string NativePath(const std::string& path) { return path; }

bool ListDirectory(const std::string& directory, const std::string& pattern,
                   std::vector<DirEntry>& entries) {
  entries.clear();
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(JoinPath(directory, pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    // An existing directory without a match is empty, not unreadable.
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  }
  do {
    const std::string name = data.cFileName;
    // The system also matches 8.3 short names ("a.boxes" as "A~1.BOX"); only
    // the long name counts.
    if (name != "." && name != ".." && MatchesWildcard(name, pattern)) {
      entries.push_back({name, data.dwFileAttributes});
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::size_t maxBytes) {
  // A relative name would be looked up in the Windows directory.
  char full[MAX_PATH];
  const DWORD fullLength = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (fullLength == 0 || fullLength >= MAX_PATH) {
    return cp932::Truncate(fallback, maxBytes);
  }
  // Room for twice the limit: the system may cut inside a double-byte
  // character, so the cut is made here on a character boundary.
  std::vector<char> buffer(maxBytes * 2 + 2, '\0');
  GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                           static_cast<DWORD>(buffer.size()), full);
  return cp932::Truncate(buffer.data(), maxBytes);
}

}  // namespace filesys
