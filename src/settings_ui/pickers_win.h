// The small pickers of the settings pages, on the common dialogs: a
// directory, a font face without simulated styles, a program file.
#pragma once

#include <windows.h>

#include <string>

// Picks a directory on the classic open-file dialog cut down to its folder
// side, starting in the initial folder (in the current directory when that
// does not exist). The process's current directory is restored afterwards.
class CFolderChooser {
 public:
  explicit CFolderChooser(std::string initialFolder) : initialFolder_(std::move(initialFolder)) {}

  // IDOK or IDCANCEL; Path() is the directory the dialog was showing either way.
  INT_PTR DoModal(HWND owner);
  const std::string& Path() const { return path_; }

 private:
  static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

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
