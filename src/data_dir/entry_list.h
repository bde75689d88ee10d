// A folder's index of mails, Entry.lst: one line per mail, the file name, "=",
// a 16-character base64 status block of three little-endian 32-bit numbers
// (the second is the mail's time, seconds since 1970 UTC), and anything after.
//
// Lines end with LF or CR LF; a last line without one counts. Lines that
// cannot name a mail safely are skipped, so they are never due and never reach
// a client command: no "=", an empty name, a status block shorter than 16
// characters or not base64, or a name that is not a plain file name or that
// holds a character with a meaning in a client command ("," "(" ")" "\" "/" a
// control character, a broken double-byte character, a byte that is no cp932
// character, or "." / ".."). Only the first
// 4096 bytes of a line are read, so a name must end within them.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class CMailEntry {
 public:
  CMailEntry() = default;
  CMailEntry(std::string name, std::int32_t when) : fileName(std::move(name)), time(when) {}

  // Due only once its time lies strictly before the tick.
  bool IsDue(std::time_t tick) const { return time < tick; }

  std::string fileName;
  std::int32_t time = 0;
};

class CEntryList {
 public:
  // Reads the index at path; false (and an empty list) when it cannot be opened.
  bool Load(const std::string& path);
  // True when some entry's time is not later than the tick.
  bool AnyDue(std::time_t tick) const;

  std::size_t Count() const { return entries_.size(); }
  const CMailEntry& At(std::size_t index) const { return entries_[index]; }

  // Answers AnyDue for the index at path without keeping its entries; false
  // when the file cannot be opened.
  static bool AnyDueIn(const std::string& path, std::time_t tick);

 private:
  std::vector<CMailEntry> entries_;
};
