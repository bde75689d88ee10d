// The application object: start-up hook, message loop, exit hook. One per process.
#pragma once

#include <windows.h>

#include <vector>

// Work done when the message queue has run dry, such as bringing toolbar
// buttons up to date: a dialog never gets that moment by itself.
class IIdleHandler {
 public:
  virtual ~IIdleHandler() = default;
  virtual void OnIdle() = 0;
};

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

  void AddIdleHandler(IIdleHandler* handler);
  void RemoveIdleHandler(IIdleHandler* handler);
  // Runs every idle handler once. The loop calls it when the queue is empty
  // after it handled messages that may have changed what the handlers show.
  void OnIdle();

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
  std::vector<IIdleHandler*> idleHandlers_;
};

// The module whose resources windows and texts come from: the running
// application's, or the executable's when there is no application object.
HINSTANCE ResourceInstance();
