#include "history/history_log_win.h"

#include <windows.h>
#include <shlobj.h>

#include <ctime>

#include "data_dir/mailbox_paths.h"
#include "res/resource.h"
#include "win/resource_text_win.h"

std::string RunHistoryFolder() {
  char folder[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return std::string();
  }
  return JoinPath(folder, "Larkspur32");
}

CRunHistoryLog::CRunHistoryLog() : folder_(RunHistoryFolder()), file_(JoinPath(folder_, "history.txt")) {}

HistoryLine CRunHistoryLog::Write(const RunEvent& event) {
  const HistoryLine line = ToHistoryLine(event, std::time(nullptr),
                                         LoadResourceText(IDS_RUN_EVENT_FIRST + static_cast<int>(event.kind)));
  const std::string text = FormatHistoryLine(line);
  // The folder is made when a line finds it missing.
  if (!folder_.empty() && !file_.Append(text) && CreateDirectoryA(folder_.c_str(), nullptr)) {
    file_.Append(text);
  }
  return line;
}
