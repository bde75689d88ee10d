// The small pickers of the settings pages, on the common dialogs: a
// directory, a font face without simulated styles, a program file.
#pragma once

#include <windows.h>

#include <string>

// Picks a directory, starting in the initial folder (or where the picker
// likes when that does not exist).
class CFolderChooser {
 public:
  explicit CFolderChooser(std::string initialFolder) : initialFolder_(std::move(initialFolder)) {}

  // IDOK with Path() the chosen directory, or IDCANCEL.
  INT_PTR DoModal(HWND owner);
  const std::string& Path() const { return path_; }

 private:
  static int CALLBACK Callback(HWND window, UINT message, LPARAM lParam, LPARAM data);

  std::string initialFolder_;
  std::string path_;
};

// Picks a font face; only the face list is offered, and no bold or italic
// made up from a plain face (CF_NOSIMULATIONS).
class CFontNameDialog {
 public:
  CFontNameDialog(const LOGFONTA& font, DWORD flags) : font_(font), flags_(flags) {}

  // IDOK with Font() holding the choice, or IDCANCEL.
  INT_PTR DoModal(HWND owner);
  const LOGFONTA& Font() const { return font_; }

 private:
  static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  LOGFONTA font_;
  DWORD flags_;
};

// Picks a program file, starting from path; true with path replaced by the
// chosen file's full path, false (path unchanged) on Cancel.
bool ChooseExecutable(HWND owner, std::string& path);
