#include "settings_ui/pickers_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "text/cp932.h"
#include "win/window_geometry_win.h"

namespace {

constexpr const char* kFolderTitle = "ﾌｫﾙﾀﾞの選択";
// Pixels kept below the face list when the font dialog shrinks.
constexpr int kMargin = 8;
constexpr const char* kProgramFilter = "実行ﾌｧｲﾙ (*.exe)|*.exe|全てのﾌｧｲﾙ (*.*)|*.*||";

// A control's rectangle in its dialog's client coordinates; empty when the
// dialog has no such control.
RECT ItemRect(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr ? ChildRect(control) : RECT{};
}

struct LabelSearch {
  int folderSide;
  std::vector<HWND> labels;
};

BOOL CALLBACK CollectFolderSideLabel(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<LabelSearch*>(param);
  const RECT rect = ChildRect(child);
  if ((GetWindowLongPtrA(child, GWLP_ID) & 0xFFFF) == 0xFFFF && rect.left >= search->folderSide) {
    search->labels.push_back(child);
  }
  return TRUE;
}

// The classic file dialog's labels without an id of their own that stand on
// its folder side (the folder list's label).
std::vector<HWND> FolderSideLabels(HWND dialog) {
  LabelSearch search{ItemRect(dialog, lst2).left, {}};
  EnumChildWindows(dialog, &CollectFolderSideLabel, reinterpret_cast<LPARAM>(&search));
  return search.labels;
}

void MoveChild(HWND dialog, int id, int dx, int dy) {
  if (HWND control = GetDlgItem(dialog, id)) {
    const RECT rect = ItemRect(dialog, id);
    SetWindowPos(control, nullptr, rect.left + dx, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The current folder is what OK returns, but its line was only as wide as
// the folder list. It now spans the dialog from the list's left edge to the
// buttons' right edge, which move down beside the list to make room, and a
// path too long even for that loses its middle, not its end.
void ShowWholeCurrentFolder(HWND dialog) {
  HWND line = GetDlgItem(dialog, stc1);
  if (line == nullptr) {
    return;
  }
  const RECT shown = ChildRect(line);
  const RECT buttons = ItemRect(dialog, IDCANCEL);
  const int down = ItemRect(dialog, lst2).top - ItemRect(dialog, IDOK).top;
  MoveChild(dialog, IDOK, 0, down);
  MoveChild(dialog, IDCANCEL, 0, down);
  SetWindowPos(line, nullptr, 0, 0, buttons.right - shown.left, shown.bottom - shown.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowLongPtrA(line, GWL_STYLE, GetWindowLongPtrA(line, GWL_STYLE) | SS_PATHELLIPSIS | SS_NOPREFIX);
}

// "a|b|c||" as the common dialogs want it: pieces ended by NUL, the list by
// two. The split respects cp932, where "|" can be a trail byte.
std::string FilterFromBars(const std::string& bars) {
  std::string filter;
  for (const std::string& piece : cp932::Split(bars, '|')) {
    if (piece.empty()) {
      break;
    }
    filter += piece;
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

}  // namespace

UINT_PTR CALLBACK CFolderChooser::Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    // The folder shown is the answer: no file name is needed.
    EndDialog(dialog, TRUE);
    return TRUE;
  }
  if (message != WM_INITDIALOG) {
    return 0;
  }
  // Only the folder side stays: the folder list with its label, the current
  // folder, the drives, OK and Cancel move left by the width of the file side.
  const int shift = ItemRect(dialog, lst2).left - ItemRect(dialog, stc3).left;
  for (HWND label : FolderSideLabels(dialog)) {
    const RECT rect = ChildRect(label);
    SetWindowPos(label, nullptr, rect.left - shift, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (int id : {stc1, lst2, stc4, cmb2, IDOK, IDCANCEL}) {
    MoveChild(dialog, id, -shift, 0);
  }
  RECT window{};
  GetWindowRect(dialog, &window);
  SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left - shift, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int id : {stc3, edt1, lst1, stc2, cmb1}) {
    if (HWND control = GetDlgItem(dialog, id)) {
      ShowWindow(control, SW_HIDE);
    }
  }
  ShowWholeCurrentFolder(dialog);
  return TRUE;
}

INT_PTR CFolderChooser::DoModal(HWND owner) {
  // The classic dialog opens in the current directory and follows the user
  // through the folders; that directory is the answer.
  char saved[MAX_PATH] = "";
  const DWORD savedLength = GetCurrentDirectoryA(MAX_PATH, saved);
  SetCurrentDirectoryA(initialFolder_.c_str());
  char file[MAX_PATH] = "";
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFile = file;
  open.nMaxFile = MAX_PATH;
  open.lpstrTitle = kFolderTitle;
  open.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK;
  open.lpfnHook = &CFolderChooser::Hook;
  const bool chosen = GetOpenFileNameA(&open) != FALSE;
  char current[MAX_PATH] = "";
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  if (savedLength != 0 && savedLength < MAX_PATH) {
    SetCurrentDirectoryA(saved);
  }
  // A directory that cannot be read back is no answer.
  if (length == 0 || length >= MAX_PATH) {
    return IDCANCEL;
  }
  path_ = current;
  return chosen ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFontNameDialog::Hook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) {
    return 0;
  }
  // Only the face list stays: size, style, effects, script and sample go.
  const RECT effects = ItemRect(dialog, grp1);
  for (int id : {stc3, cmb3, stc2, cmb2, grp1, chx1, chx2, stc7, cmb5, grp2, stc5}) {
    if (HWND control = GetDlgItem(dialog, id)) {
      ShowWindow(control, SW_HIDE);
    }
  }
  // The new bottom edge is where the effects began, but never through the
  // face list; the colour row moves there, out of sight.
  const RECT faces = ItemRect(dialog, cmb1);
  const int bottomEdge = effects.top > faces.bottom + kMargin ? effects.top : faces.bottom + kMargin;
  const int down = bottomEdge - ItemRect(dialog, stc4).top;
  MoveChild(dialog, stc4, 0, down);
  MoveChild(dialog, cmb4, 0, down);
  // OK and Cancel close up to where the style column began.
  const int left = ItemRect(dialog, IDOK).left - ItemRect(dialog, stc2).left;
  MoveChild(dialog, IDOK, -left, 0);
  MoveChild(dialog, IDCANCEL, -left, 0);
  POINT bottom{0, bottomEdge};
  ClientToScreen(dialog, &bottom);
  RECT window{};
  GetWindowRect(dialog, &window);
  RECT client{};
  GetClientRect(dialog, &client);
  POINT clientBottom{0, client.bottom};
  ClientToScreen(dialog, &clientBottom);
  const int frame = window.bottom - clientBottom.y;
  SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left - left, bottom.y + frame - window.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

INT_PTR CFontNameDialog::DoModal(HWND owner) {
  LOGFONTA font = font_;
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &font;
  choose.Flags = flags_ | CF_NOSIMULATIONS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  choose.lpfnHook = &CFontNameDialog::Hook;
  if (!ChooseFontA(&choose)) {
    return IDCANCEL;
  }
  font_ = font;
  return IDOK;
}

bool ChooseExecutable(HWND owner, std::string& path) {
  const std::string filter = FilterFromBars(kProgramFilter);
  std::vector<char> file(MAX_PATH, '\0');
  const std::string initial = cp932::Truncate(path, MAX_PATH - 1);
  initial.copy(file.data(), initial.size());
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = filter.c_str();
  open.nFilterIndex = 1;
  open.lpstrFile = file.data();
  open.nMaxFile = MAX_PATH;
  open.lpstrDefExt = "exe";
  open.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
  if (!GetOpenFileNameA(&open)) {
    return false;
  }
  path = file.data();
  return true;
}
