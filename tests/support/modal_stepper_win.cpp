#include "support/modal_stepper_win.h"

#include "support/e2e_win.h"

ModalStepper* ModalStepper::current_ = nullptr;

ModalStepper::ModalStepper(std::function<bool()> step, DWORD boundMs)
    : step_(std::move(step)), start_(GetTickCount()), bound_(boundMs) {
  current_ = this;
  timer_ = SetTimer(nullptr, 0, 20, &ModalStepper::Tick);
}

ModalStepper::~ModalStepper() {
  if (timer_ != 0) {
    KillTimer(nullptr, timer_);
  }
  current_ = nullptr;
}

void CALLBACK ModalStepper::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (current_ != nullptr) {
    current_->OnTick();
  }
}

void ModalStepper::OnTick() {
  if (done_ || timedOut_) {
    return;
  }
  if (step_()) {
    done_ = true;
    return;
  }
  if (GetTickCount() - start_ < bound_) {
    return;
  }
  timedOut_ = true;
  EndMenu();
  for (HWND dialog : e2e::FindWindows({"#32770", "", GetCurrentProcessId()})) {
    // A Yes/No message box has no close; No ends it.
    PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
}

HWND FindOwnDialog(const char* caption) {
  for (HWND dialog : e2e::FindWindows({"#32770", caption, GetCurrentProcessId()})) {
    if (IsWindowVisible(dialog)) {
      return dialog;
    }
  }
  return nullptr;
}
