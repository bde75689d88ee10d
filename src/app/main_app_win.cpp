#include "app/main_app_win.h"

#include <winsock.h>
#include <commctrl.h>

#include "app/main_dialog_win.h"
#include "app/splash_dialog_win.h"
#include "dial_up/dial_up_win.h"
#include "res/product.h"
#include "res/resource.h"
#include "win/resource_text_win.h"

namespace {

constexpr const char* kMutexName = "Larkspur32Mutex";

}  // namespace

bool CMainApp::InitInstance() {
  // A second start ends silently and leaves the first one alone.
  if (HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName)) {
    CloseHandle(existing);
    return false;
  }
  mutex_ = CreateMutexA(nullptr, FALSE, kMutexName);
  // Two starts at the same moment can both miss the other's mutex above; the
  // one whose create found it already there gives way.
  if (mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
    return false;
  }

  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0 || data.wVersion != MAKEWORD(1, 1)) {
    MessageBoxA(nullptr, LoadResourceText(IDS_SOCKETS_FAILED).c_str(), kProductCaption, MB_OK);
    return false;
  }
  socketsReady_ = true;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  SetOutOfMemoryHandler([this] {
    MessageBoxA(nullptr, "メモリの確保に失敗しました\n終了します", kProductCaption, MB_OK);
    if (MainWindow() != nullptr) {
      PostMessageA(MainWindow(), WM_COMMAND, IDCANCEL, 0);
    }
  });

  // The splash looks after itself from here on; start-up goes on without it
  // when it cannot be shown.
  auto* splash = new CSplashDialog();
  if (!splash->Create()) {
    delete splash;
  }

  dialer_ = CreateSystemDialUp();

  auto* mainDialog = new CMainDialog(CJobSequencer::Ports{client_, *dialer_, launcher_, clock_});
  if (!mainDialog->Create()) {
    delete mainDialog;
    return false;
  }
  SetMainWindow(mainDialog->Handle());
  return true;
}

int CMainApp::ExitInstance() {
  if (mutex_ != nullptr) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
  }
  if (socketsReady_) {
    WSACleanup();
  }
  return 0;
}
