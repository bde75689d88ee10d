// The application object: one running instance, sockets, the main window.
#pragma once

#include <windows.h>

#include "client/dialer.h"
#include "win/application_win.h"

// Until the dial-up line is wired in, the program never holds a connection.
class CNoDialUp : public IDialer {
 public:
  bool HasConnection() const override { return false; }
  long Connect(const std::string&) override { return 0; }
  void HangUp(int) override {}
};

class CMainApp : public CWinApplication {
 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  HANDLE mutex_ = nullptr;
  CNoDialUp dialer_;
  bool socketsReady_ = false;
};
