#include "win/dialog_toolbar_win.h"

#include <commctrl.h>

#include <vector>

#include "win/window_geometry_win.h"

namespace {

constexpr int kBorderHeight = 2;
constexpr COLORREF kSilver = RGB(192, 192, 192);

}  // namespace

CDialogToolBar::~CDialogToolBar() { Destroy(); }

bool CDialogToolBar::Create(HWND parent, int bitmapId, SIZE imageSize, const ToolBarSlot* slots,
                            std::size_t count, const ICommandStates& states) {
  Destroy();
  HINSTANCE instance = ResourceInstance();
  bar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                         WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP |
                             CCS_NODIVIDER,
                         0, 0, 0, 0, parent, reinterpret_cast<HMENU>(kControlId), instance, nullptr);
  if (bar_ == nullptr) {
    return false;
  }
  SendMessageA(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize.cx, imageSize.cy));

  COLORMAP silverToFace{kSilver, GetSysColor(COLOR_BTNFACE)};
  bitmap_ = CreateMappedBitmap(instance, bitmapId, 0, &silverToFace, 1);
  BITMAP info{};
  if (bitmap_ == nullptr || GetObjectA(bitmap_, sizeof info, &info) == 0 || imageSize.cx <= 0) {
    Destroy();
    return false;
  }
  TBADDBITMAP images{nullptr, reinterpret_cast<UINT_PTR>(bitmap_)};
  if (SendMessageA(bar_, TB_ADDBITMAP, static_cast<WPARAM>(info.bmWidth / imageSize.cx),
                   reinterpret_cast<LPARAM>(&images)) == -1) {
    Destroy();
    return false;
  }

  std::vector<TBBUTTON> buttons;
  for (std::size_t i = 0; i < count; ++i) {
    TBBUTTON button{};
    button.idCommand = slots[i].command;
    if (slots[i].command == 0) {
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = slots[i].image;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(button);
  }
  SendMessageA(bar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

  border_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 0, 0,
                            parent, nullptr, instance, nullptr);
  states_ = &states;
  if (CWinApplication* app = CWinApplication::Current()) {
    app->AddIdleHandler(this);
    idleRegistered_ = true;
  }
  Layout();
  return true;
}

void CDialogToolBar::Destroy() {
  if (idleRegistered_) {
    if (CWinApplication* app = CWinApplication::Current()) {
      app->RemoveIdleHandler(this);
    }
    idleRegistered_ = false;
  }
  for (HWND* window : {&bar_, &border_}) {
    if (*window != nullptr) {
      DestroyWindow(*window);
      *window = nullptr;
    }
  }
  // The bar copied the images; the bitmap goes only after the bar is gone.
  if (bitmap_ != nullptr) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
  states_ = nullptr;
}

int CDialogToolBar::Height() const {
  if (bar_ == nullptr) {
    return 0;
  }
  const RECT rect = ChildRect(bar_);
  return rect.bottom - rect.top + kBorderHeight;
}

bool CDialogToolBar::Owns(HWND window) const {
  return window != nullptr && (window == bar_ || window == border_);
}

void CDialogToolBar::Layout() {
  if (bar_ == nullptr) {
    return;
  }
  SendMessageA(bar_, TB_AUTOSIZE, 0, 0);
  RECT client{};
  GetClientRect(GetParent(bar_), &client);
  const RECT bar = ChildRect(bar_);
  if (border_ != nullptr) {
    MoveWindow(border_, 0, bar.bottom, client.right, kBorderHeight, TRUE);
  }
}

bool CDialogToolBar::SetSlot(int index, int command, int image) {
  if (bar_ == nullptr) {
    return false;
  }
  TBBUTTONINFOA info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_IMAGE;
  info.idCommand = command;
  info.iImage = image;
  return SendMessageA(bar_, TB_SETBUTTONINFOA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&info)) != 0;
}

void CDialogToolBar::UpdateButtons() {
  if (bar_ == nullptr || states_ == nullptr || !IsWindowVisible(bar_) || GetParent(bar_) == nullptr) {
    return;
  }
  const int count = static_cast<int>(SendMessageA(bar_, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    if (!SendMessageA(bar_, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)) ||
        (button.fsStyle & BTNS_SEP) != 0) {
      continue;
    }
    const bool wanted = states_->IsCommandEnabled(button.idCommand);
    // Only real changes, so an idle pass does not make the bar flicker.
    if (wanted != ((button.fsState & TBSTATE_ENABLED) != 0)) {
      SendMessageA(bar_, TB_ENABLEBUTTON, static_cast<WPARAM>(button.idCommand), MAKELPARAM(wanted, 0));
    }
  }
}
