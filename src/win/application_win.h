// The application object: start-up hook, message loop, exit hook. One per process.
#pragma once

#include <windows.h>

#include <vector>

class CWinApplication {
 public:
  CWinApplication();
  virtual ~CWinApplication();
  CWinApplication(const CWinApplication&) = delete;
  CWinApplication& operator=(const CWinApplication&) = delete;

  static CWinApplication* Current() { return current_; }

  // InitInstance, then the message loop when it agreed, then ExitInstance.
  int Main(HINSTANCE instance);

  HINSTANCE Instance() const { return instance_; }
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND window) { mainWindow_ = window; }

  // Modeless dialogs get their keyboard handling (Tab, Enter, Escape) from the loop.
  void AddModeless(HWND dialog);
  void RemoveModeless(HWND dialog);

  // Called when a window goes away: the main window's end ends the loop.
  void OnWindowGone(HWND window);

 protected:
  // False ends the program at once (ExitInstance still runs).
  virtual bool InitInstance() = 0;
  virtual int ExitInstance() { return 0; }

 private:
  int Run();
  bool PreTranslate(MSG& message);

  static CWinApplication* current_;
  HINSTANCE instance_ = nullptr;
  HWND mainWindow_ = nullptr;
  std::vector<HWND> modeless_;
};
