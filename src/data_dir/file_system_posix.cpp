// Native builds: the client's directories on a POSIX file system, with the
// attributes mapped as Wine shows the same entries to the program.
#include <dirent.h>
#include <sys/stat.h>

#include "data_dir/file_system.h"
#include "data_dir/wildcard.h"
#include "text/cp932.h"

namespace filesys {

namespace {

std::uint32_t AttributesOf(const std::string& nativePath, const std::string& name) {
  struct stat info {};
  if (lstat(nativePath.c_str(), &info) != 0) {
    return 0;
  }
  std::uint32_t attributes = 0;
  if (S_ISLNK(info.st_mode)) {
    // A link is never walked into, whatever it points at.
    attributes |= kReparsePoint;
    if (stat(nativePath.c_str(), &info) != 0) {
      return attributes | kArchive;
    }
  }
  attributes |= S_ISDIR(info.st_mode) ? kDirectory : kArchive;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    attributes |= kReadOnly;
  }
  if (name[0] == '.') {
    attributes |= kHidden;
  }
  return attributes;
}

}  // namespace

std::string NativePath(const std::string& path) {
  std::string native = path;
  for (std::size_t pos = 0; pos < native.size(); pos += cp932::CharLength(native, pos)) {
    if (native[pos] == '\\' && cp932::CharLength(native, pos) == 1) {
      native[pos] = '/';
    }
  }
  return native;
}

bool ListDirectory(const std::string& directory, const std::string& pattern,
                   std::vector<DirEntry>& entries) {
  entries.clear();
  std::string base = NativePath(directory);
  DIR* dir = opendir(base.c_str());
  if (dir == nullptr) {
    return false;
  }
  if (base.empty() || base.back() != '/') {
    base += '/';
  }
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (name == "." || name == ".." || !MatchesWildcard(name, pattern)) {
      continue;
    }
    const std::uint32_t attributes = AttributesOf(base + name, name);
    if (attributes != 0) {
      entries.push_back({name, attributes});
    }
  }
  closedir(dir);
  return true;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace filesys
