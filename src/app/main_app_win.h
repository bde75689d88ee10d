// The application object: one running instance, sockets, the main window.
#pragma once

#include <windows.h>

#include <memory>

#include "client/dial_up.h"
#include "win/application_win.h"

class CMainApp : public CWinApplication {
 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  HANDLE mutex_ = nullptr;
  // Outlives the main window, which uses it up to its close-down.
  std::unique_ptr<CDialUp> dialer_;
  bool socketsReady_ = false;
};
