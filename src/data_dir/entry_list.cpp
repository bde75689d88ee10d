#include "data_dir/entry_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "data_dir/file_system.h"
#include "text/cp932.h"

namespace {

constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::size_t kStatusChars = 16;
// Only this much of a line is looked at. A name that does not end within it
// is longer than any file system allows, so such a line is never kept.
constexpr std::size_t kLinePrefixBytes = 4096;
constexpr std::size_t kUsualLineBytes = 27;
constexpr std::size_t kMaxReservedEntries = std::size_t{1} << 20;

// Base64 digit values; "=" and every character outside the alphabet count as 0.
struct Base64Digits {
  unsigned char value[256] = {};
  bool allowed[256] = {};  // the alphabet and the padding "="
  constexpr Base64Digits() {
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (unsigned char i = 0; i < 64; ++i) {
      value[static_cast<unsigned char>(alphabet[i])] = i;
      allowed[static_cast<unsigned char>(alphabet[i])] = true;
    }
    allowed[static_cast<unsigned char>('=')] = true;
  }
};
constexpr Base64Digits kDigits;

// Bytes 4 to 7 of the 12 the status block holds: characters 4 to 7 carry
// bytes 3 to 5, characters 8 to 11 bytes 6 to 8.
std::int32_t DecodeTime(const unsigned char* status) {
  const std::uint32_t middle = (std::uint32_t{kDigits.value[status[4]]} << 18) |
                               (std::uint32_t{kDigits.value[status[5]]} << 12) |
                               (std::uint32_t{kDigits.value[status[6]]} << 6) |
                               kDigits.value[status[7]];
  const std::uint32_t last = (std::uint32_t{kDigits.value[status[8]]} << 18) |
                             (std::uint32_t{kDigits.value[status[9]]} << 12) |
                             (std::uint32_t{kDigits.value[status[10]]} << 6) |
                             kDigits.value[status[11]];
  const std::uint32_t time = ((middle >> 8) & 0xFF) | ((middle & 0xFF) << 8) |
                             (((last >> 16) & 0xFF) << 16) | (((last >> 8) & 0xFF) << 24);
  return static_cast<std::int32_t>(time);
}

// Single bytes that are no character in cp932.
bool IsUnassignedByte(unsigned char c) { return c == 0x80 || c == 0xA0 || c >= 0xFD; }

// A status block the client wrote is base64 throughout; junk that happens to
// hold a "=" is not, and must not pass for a mail with a made-up time.
bool IsStatusBlock(const unsigned char* status) {
  for (std::size_t i = 0; i < kStatusChars; ++i) {
    if (!kDigits.allowed[status[i]]) {
      return false;
    }
  }
  return true;
}

// A name the client can be given in a command: a plain file name, without the
// characters that separate or end a command's arguments, and whole cp932
// characters only (a broken pair could swallow the byte after it).
bool IsPlainFileName(const unsigned char* name, std::size_t length) {
  if (length == 0 || (length == 1 && name[0] == '.') ||
      (length == 2 && name[0] == '.' && name[1] == '.')) {
    return false;
  }
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = name[i];
    if (cp932::IsLeadByte(c)) {
      if (i + 1 >= length || !cp932::IsTrailByte(name[i + 1])) {
        return false;
      }
      ++i;
    } else if (c < 0x20 || c == 0x7F || c == ',' || c == '(' || c == ')' || c == '\\' || c == '/' ||
               IsUnassignedByte(c)) {
      return false;
    }
  }
  return true;
}

struct ParsedLine {
  const unsigned char* name;
  std::size_t nameLength;
  const unsigned char* status;
  std::int32_t time;
};

// A line that names a mail the client may be told about.
bool IsMailLine(const ParsedLine& line) {
  return IsPlainFileName(line.name, line.nameLength) && IsStatusBlock(line.status);
}

// Splits one line (without its LF) into name and time; false for a line
// without "=" or with fewer than 16 status characters within its first
// kLinePrefixBytes. The name is not checked.
bool SplitLine(const unsigned char* begin, const unsigned char* end, bool wholeLine,
               ParsedLine& line) {
  if (wholeLine && end > begin && end[-1] == '\r') {
    --end;
  }
  if (static_cast<std::size_t>(end - begin) > kLinePrefixBytes) {
    end = begin + kLinePrefixBytes;
  }
  const void* equals = std::memchr(begin, '=', static_cast<std::size_t>(end - begin));
  if (equals == nullptr) {
    return false;
  }
  const unsigned char* status = static_cast<const unsigned char*>(equals) + 1;
  if (static_cast<std::size_t>(end - status) < kStatusChars) {
    return false;
  }
  line.name = begin;
  line.nameLength = static_cast<std::size_t>(status - 1 - begin);
  line.status = status;
  line.time = DecodeTime(status);
  return true;
}

// Reads the index at path in large blocks: sized(file's bytes) once it is
// open, then visit(line) for every line that splits, until visit returns
// false. False when it cannot be opened.
template <typename Sized, typename Visit>
bool ScanIndex(const std::string& path, Sized sized, Visit visit) {
  std::FILE* file = std::fopen(filesys::NativePath(path).c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  std::size_t fileBytes = 0;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long bytes = std::ftell(file);
    fileBytes = bytes > 0 ? static_cast<std::size_t>(bytes) : 0;
    sized(fileBytes);
  }
  std::rewind(file);
  // Most indexes are small and read every minute: a block as large as the
  // file, up to the usual block size, never less than two line prefixes.
  const std::size_t blockBytes =
      std::max(2 * kLinePrefixBytes, std::min(kBlockBytes, fileBytes + 1));
  std::vector<unsigned char> buffer(blockBytes);
  std::size_t held = 0;       // start of a line carried over from the last block
  bool droppingRest = false;  // inside a line whose prefix was already looked at
  bool going = true;
  ParsedLine line{};
  while (going) {
    const std::size_t got = std::fread(buffer.data() + held, 1, buffer.size() - held, file);
    const unsigned char* at = buffer.data();
    const unsigned char* limit = buffer.data() + held + got;
    while (going) {
      const void* found = std::memchr(at, '\n', static_cast<std::size_t>(limit - at));
      if (found == nullptr) {
        break;
      }
      const unsigned char* lineEnd = static_cast<const unsigned char*>(found);
      if (!droppingRest && SplitLine(at, lineEnd, true, line)) {
        going = visit(line);
      }
      droppingRest = false;
      at = lineEnd + 1;
    }
    const std::size_t rest = static_cast<std::size_t>(limit - at);
    if (!going) {
      break;
    }
    if (got == 0) {
      // The last line, even without a line end or cut short while written.
      if (rest > 0 && !droppingRest && SplitLine(at, limit, true, line)) {
        visit(line);
      }
      break;
    }
    if (droppingRest) {
      held = 0;
    } else if (rest >= kLinePrefixBytes) {
      if (SplitLine(at, at + kLinePrefixBytes, false, line)) {
        going = visit(line);
      }
      droppingRest = true;
      held = 0;
    } else {
      std::memmove(buffer.data(), at, rest);
      held = rest;
    }
  }
  std::fclose(file);
  return true;
}

}  // namespace

bool CEntryList::Load(const std::string& path) {
  entries_.clear();
  // Room for the usual line of an 8-digit name, so that a large index is not
  // copied while it grows; bounded, since the size says nothing of junk.
  const auto reserve = [this](std::size_t bytes) {
    entries_.reserve(std::min(bytes / kUsualLineBytes, kMaxReservedEntries));
  };
  return ScanIndex(path, reserve, [this](const ParsedLine& line) {
    if (IsMailLine(line)) {
      entries_.emplace_back(std::string(reinterpret_cast<const char*>(line.name), line.nameLength),
                            line.time);
    }
    return true;
  });
}

bool CEntryList::AnyDue(std::time_t tick) const {
  for (const CMailEntry& entry : entries_) {
    if (entry.time <= tick) {
      return true;
    }
  }
  return false;
}

bool CEntryList::AnyDueIn(const std::string& path, std::time_t tick) {
  bool due = false;
  ScanIndex(
      path, [](std::size_t) {},
      [&due, tick](const ParsedLine& line) {
        // The name is checked only for the rare line that is due by its time.
        due = line.time <= tick && IsMailLine(line);
        return !due;
      });
  return due;
}
