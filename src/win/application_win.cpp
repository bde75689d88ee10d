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

int CWinApplication::Run() {
  MSG message{};
  for (;;) {
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
  }
}
