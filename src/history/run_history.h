// The run history: one line per event in a text file, newest last. A line is
// the local time, a failure mark, the account and what happened, separated by
// tabs (never a trail byte in cp932):
//
//   2026-12-07 07:30:05<TAB>!<TAB>仕事<TAB>取り込み失敗 (ｴﾗｰ画面)
//
// The file stays below a size bound: when the next line would pass it, the
// file becomes the older one (only one is kept) and a new one begins.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "jobs/run_events.h"

struct HistoryLine {
  std::string time;  // local, "2026-12-07 07:30:05": sorts as it reads
  bool failure = false;
  std::string account;
  std::string text;
};

// when in local time as the history shows it: "2026-12-07 07:30:05".
std::string HistoryTime(std::time_t when);
// The line for event at when, with text saying what kind of event it was.
HistoryLine ToHistoryLine(const RunEvent& event, std::time_t when, const std::string& text);
// Tabs and line breaks inside a field become blanks.
std::string FormatHistoryLine(const HistoryLine& line);
// False for a line that is not one of the history's.
bool ParseHistoryLine(const std::string& text, HistoryLine& line);

class CHistoryFile {
 public:
  static constexpr std::uintmax_t kMaxBytes = 1024 * 1024;

  explicit CHistoryFile(std::string path, std::uintmax_t maxBytes = kMaxBytes);

  const std::string& Path() const { return path_; }
  std::string OlderPath() const { return path_ + ".old"; }
  // Appends one line; false when it could not be written, which the caller
  // may ignore: the history never stops a job.
  bool Append(const std::string& line);
  // The last count lines of the older file and the file together, oldest first.
  std::vector<std::string> ReadLast(std::size_t count) const;

 private:
  std::string path_;
  std::uintmax_t maxBytes_;
};
