#include <windows.h>

#include "app/main_app_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CMainApp app;
  return app.Main(instance);
}
