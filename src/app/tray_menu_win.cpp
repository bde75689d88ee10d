#include "app/tray_menu_win.h"

#include <string>

#include "app/command_text.h"
#include "win/resource_text_win.h"

HMENU BuildTrayMenu(const TrayMenuState& state) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    return nullptr;
  }
  for (const TrayMenuItem& item : TrayMenuItems(state)) {
    if (item.command == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::string resourceText = LoadResourceText(item.textId);
    const std::string text = item.secondHalf ? CommandCaption(resourceText) : resourceText;
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), text.c_str());
  }
  return menu;
}

void ShowTrayMenu(HWND owner, POINT at, const TrayMenuState& state) {
  HMENU menu = BuildTrayMenu(state);
  if (menu == nullptr) {
    return;
  }
  // Without the foreground the menu would not close when the user clicks
  // elsewhere, and without the empty message after it the next click on the
  // icon would be swallowed.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
}
