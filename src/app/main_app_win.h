// The application object: one running instance, sockets, the main window.
#pragma once

#include <windows.h>

#include "win/application_win.h"

class CMainApp : public CWinApplication {
 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  HANDLE mutex_ = nullptr;
  bool socketsReady_ = false;
};
