// Native builds: INI files read the way GetPrivateProfileStringA reads them,
// for what the client's files hold: "[Section]" lines, "key=value" lines,
// blanks trimmed, ";" comment lines, the first section and key of a name win.
#include <cstdio>

#include "data_dir/file_system.h"
#include "text/cp932.h"

namespace filesys {

namespace {

bool ReadWholeFile(const std::string& path, std::string& content) {
  std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  char block[16384];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    content.append(block, got);
  }
  std::fclose(file);
  return true;
}

// Blanks are single-byte, never trail bytes, so trimming by byte is safe.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\x1a'; }

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && IsBlank(text[end - 1])) {
    --end;
  }
  return text.substr(begin, end - begin);
}

// The name of a "[name]" line (up to its last "]"), or false for other lines.
bool SectionName(const std::string& line, std::string& name) {
  if (line.empty() || line[0] != '[') {
    return false;
  }
  std::size_t close = std::string::npos;
  for (std::size_t at = cp932::Find(line, ']'); at != std::string::npos;
       at = cp932::Find(line, ']', at + 1)) {
    close = at;
  }
  if (close == std::string::npos) {
    return false;
  }
  name = Trim(line.substr(1, close - 1));
  return true;
}

std::string StripQuotes(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& fallback,
                          std::size_t maxBytes) {
  std::string content;
  if (!ReadWholeFile(path, content)) {
    return cp932::Truncate(fallback, maxBytes);
  }
  bool inSection = false;
  std::size_t begin = 0;
  while (begin < content.size()) {
    std::size_t end = content.find('\n', begin);
    if (end == std::string::npos) {
      end = content.size();
    }
    const std::string line = Trim(content.substr(begin, end - begin));
    begin = end + 1;

    std::string name;
    if (SectionName(line, name)) {
      // Only the first section of that name is searched.
      if (inSection) {
        break;
      }
      inSection = cp932::EqualsIgnoreAsciiCase(name, section);
      continue;
    }
    if (!inSection || line.empty() || line[0] == ';') {
      continue;
    }
    const std::size_t equals = cp932::Find(line, '=');
    const std::string lineKey = Trim(line.substr(0, equals));
    if (cp932::EqualsIgnoreAsciiCase(lineKey, key)) {
      const std::string value = equals == std::string::npos ? "" : Trim(line.substr(equals + 1));
      return cp932::Truncate(StripQuotes(value), maxBytes);
    }
  }
  return cp932::Truncate(fallback, maxBytes);
}

}  // namespace filesys
