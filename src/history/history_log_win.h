// The run history as the program keeps it: history.txt in a folder Larkspur32
// below the user's local application data, made when missing, each event in
// the words of the string resources.
#pragma once

#include <string>

#include "history/run_history.h"

// The history's folder; empty when the user's folder is unknown.
std::string RunHistoryFolder();

class CRunHistoryLog {
 public:
  CRunHistoryLog();

  // Writes the event with the time now, and gives the line as written. A
  // failure to write is let go: the history never stops a job.
  HistoryLine Write(const RunEvent& event);
  const CHistoryFile& File() const { return file_; }

 private:
  std::string folder_;
  CHistoryFile file_;
};
