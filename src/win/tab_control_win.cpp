#include "win/tab_control_win.h"

void InsertTab(HWND tabs, int index, const std::string& text) {
  TCITEMA tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<char*>(text.c_str());
  SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
}

void SelectTab(HWND tabs, int index) { SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }

int SelectedTab(HWND tabs) { return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)); }
