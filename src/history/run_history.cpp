#include "history/run_history.h"

#include <cstdio>
#include <deque>

#include "data_dir/file_system.h"
#include "schedule/local_time.h"

namespace {

std::string Field(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

void ReadLines(const std::string& nativePath, std::size_t count, std::deque<std::string>& lines) {
  std::FILE* file = std::fopen(nativePath.c_str(), "rb");
  if (file == nullptr) return;
  std::string line;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (lines.size() > count) lines.pop_front();
    line.clear();
  }
  std::fclose(file);
}

}  // namespace

std::string HistoryTime(std::time_t when) {
  const std::tm parts = ToLocalParts(when);
  char time[64];
  std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return time;
}

HistoryLine ToHistoryLine(const RunEvent& event, std::time_t when, const std::string& text) {
  std::string what = text;
  if (!event.detail.empty()) what += ": " + event.detail;
  if (!event.target.empty()) what += " → " + event.target;
  return {HistoryTime(when), IsFailure(event.kind), event.account, what};
}

std::string FormatHistoryLine(const HistoryLine& line) {
  return Field(line.time) + "\t" + (line.failure ? "!" : "") + "\t" + Field(line.account) + "\t" + Field(line.text);
}

bool ParseHistoryLine(const std::string& text, HistoryLine& line) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == '\t') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (fields.size() != 4 || fields[0].size() != 19 || (!fields[1].empty() && fields[1] != "!")) return false;
  line = {fields[0], fields[1] == "!", fields[2], fields[3]};
  return true;
}

CHistoryFile::CHistoryFile(std::string path, std::uintmax_t maxBytes) : path_(std::move(path)), maxBytes_(maxBytes) {}

bool CHistoryFile::Append(const std::string& line) {
  const std::string native = filesys::NativePath(path_);
  const std::string record = line + "\r\n";
  std::FILE* file = std::fopen(native.c_str(), "ab");
  if (file == nullptr) return false;
  const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  if (size > 0 && static_cast<std::uintmax_t>(size) + record.size() > maxBytes_) {
    std::fclose(file);
    const std::string older = filesys::NativePath(OlderPath());
    std::remove(older.c_str());
    std::rename(native.c_str(), older.c_str());
    file = std::fopen(native.c_str(), "ab");
    if (file == nullptr) return false;
  }
  const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
  return std::fclose(file) == 0 && written;
}

std::vector<std::string> CHistoryFile::ReadLast(std::size_t count) const {
  std::deque<std::string> lines;
  ReadLines(filesys::NativePath(OlderPath()), count, lines);
  ReadLines(filesys::NativePath(path_), count, lines);
  return {lines.begin(), lines.end()};
}
