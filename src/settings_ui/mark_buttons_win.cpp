#include "settings_ui/mark_buttons_win.h"

#include "res/settings_ui_ids.h"
#include "win/application_win.h"

void ShowMarkIcons(HWND page) {
  for (int mark = 0; mark <= IDC_MARK_LAST - IDC_MARK_FIRST; ++mark) {
    // Shared icons live as long as the module; nothing to free.
    HANDLE icon = LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDI_MARK_FIRST + mark), IMAGE_ICON, 16, 16,
                             LR_DEFAULTCOLOR | LR_SHARED);
    SendDlgItemMessageA(page, IDC_MARK_FIRST + mark, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  }
}
