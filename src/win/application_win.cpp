#include "win/application_win.h"

#include <algorithm>

CWinApplication* CWinApplication::current_ = nullptr;

CWinApplication::CWinApplication() { current_ = this; }

CWinApplication::~CWinApplication() { current_ = nullptr; }

int CWinApplication::Main(HINSTANCE instance) {
  instance_ = instance;
  int code = 0;
  if (InitInstance()) {
    code = Run();
  }
  const int exitCode = ExitInstance();
  return code != 0 ? code : exitCode;
}

void CWinApplication::AddModeless(HWND dialog) { modeless_.push_back(dialog); }

void CWinApplication::RemoveModeless(HWND dialog) {
  modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), dialog), modeless_.end());
}

void CWinApplication::OnWindowGone(HWND window) {
  RemoveModeless(window);
  if (window == mainWindow_) {
    mainWindow_ = nullptr;
    PostQuitMessage(0);
  }
}

void CWinApplication::AddIdleHandler(IIdleHandler* handler) { idleHandlers_.push_back(handler); }

void CWinApplication::RemoveIdleHandler(IIdleHandler* handler) {
  idleHandlers_.erase(std::remove(idleHandlers_.begin(), idleHandlers_.end(), handler),
                      idleHandlers_.end());
}

void CWinApplication::OnIdle() {
  // A handler may remove itself (its window closing), so walk a copy.
  const std::vector<IIdleHandler*> handlers = idleHandlers_;
  for (IIdleHandler* handler : handlers) {
    if (std::find(idleHandlers_.begin(), idleHandlers_.end(), handler) != idleHandlers_.end()) {
      handler->OnIdle();
    }
  }
}

bool CWinApplication::PreTranslate(MSG& message) {
  // A dialog may close while it handles the message, so walk a copy.
  const std::vector<HWND> dialogs = modeless_;
  for (HWND dialog : dialogs) {
    if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) {
      return true;
    }
  }
  return false;
}

namespace {

// Painting and the caret's blink change nothing an idle handler shows; letting
// them trigger idle work would keep the loop busy for nothing.
bool WakesIdle(const MSG& message) {
  constexpr UINT kCaretBlink = 0x0118;
  return message.message != WM_PAINT && message.message != kCaretBlink;
}

}  // namespace

int CWinApplication::Run() {
  MSG message{};
  bool idleDue = true;
  for (;;) {
    if (idleDue && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      idleDue = false;
      OnIdle();
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      return static_cast<int>(message.wParam);
    }
    if (got == -1) {
      return -1;
    }
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    idleDue = idleDue || WakesIdle(message);
  }
}

HINSTANCE ResourceInstance() {
  CWinApplication* app = CWinApplication::Current();
  return app != nullptr && app->Instance() != nullptr ? app->Instance() : GetModuleHandleA(nullptr);
}
