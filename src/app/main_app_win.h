// The application object: one running instance, sockets, the splash and the
// main window, and the outside world the main window is given.
#pragma once

#include <windows.h>

#include <memory>

#include "bridge/mail_client_win.h"
#include "dial_up/dial_up.h"
#include "jobs/launcher_win.h"
#include "jobs/system_clock.h"
#include "win/application_win.h"

class CMainApp : public CWinApplication {
 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  HANDLE mutex_ = nullptr;
  bool socketsReady_ = false;
  CMailClientBridge client_;
  // Outlives the main window, which uses it up to its close-down.
  std::unique_ptr<CDialUp> dialer_;
  ProcessLauncher launcher_;
  SystemClock clock_;
};
