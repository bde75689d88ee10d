// The few file-system reads the data directory needs: listing a directory with
// a pattern, testing for a file, reading an INI string. The program uses the
// Win32 functions; native builds use POSIX ones that behave the same for what
// the client's files hold. Paths are written with "\" as everywhere in the
// program; the POSIX side turns it into "/".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace filesys {

// Windows file attributes, as the program tests them.
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kReparsePoint = 0x400;

struct DirEntry {
  std::string name;
  std::uint32_t attributes = 0;
};

// The entries of directory whose long names match pattern (see wildcard.h),
// in the file system's order, without "." and "..". False, with entries
// empty, when the directory cannot be read.
bool ListDirectory(const std::string& directory, const std::string& pattern,
                   std::vector<DirEntry>& entries);

// True when path names an existing file (not a directory).
bool FileExists(const std::string& path);

// True when path names an existing directory.
bool DirectoryExists(const std::string& path);

// The value of key in section of the INI file at path (names compared
// ignoring ASCII case; the first match wins; blanks around the value and one
// pair of matching quotes removed), or fallback when the file, section or key
// is missing; either cut to at most maxBytes bytes on a character boundary.
std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::size_t maxBytes);

// path as the platform's own file functions take it.
std::string NativePath(const std::string& path);

}  // namespace filesys
