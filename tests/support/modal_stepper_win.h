// Acts on this thread's windows while a modal loop runs on it (a message box,
// a modal dialog, a pop-up menu), where a test cannot call anything itself.
#pragma once

#include <windows.h>

#include <functional>

// Calls step every 20 ms, from this thread's message handling, until it
// returns true or the bound passes. Past the bound it closes this process's
// dialogs and any open menu, so a test that waits for something that never
// comes fails instead of hanging. One stepper at a time.
class ModalStepper {
 public:
  ModalStepper(std::function<bool()> step, DWORD boundMs);
  ~ModalStepper();
  ModalStepper(const ModalStepper&) = delete;
  ModalStepper& operator=(const ModalStepper&) = delete;

  bool Done() const { return done_; }
  bool TimedOut() const { return timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  static ModalStepper* current_;
  std::function<bool()> step_;
  DWORD start_;
  DWORD bound_;
  UINT_PTR timer_ = 0;
  bool done_ = false;
  bool timedOut_ = false;
};

// The first visible dialog of this process with that caption, or nullptr.
HWND FindOwnDialog(const char* caption);
