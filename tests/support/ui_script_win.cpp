#include "support/ui_script_win.h"

#include <algorithm>
#include <utility>

namespace ui {

Script& Script::When(const std::string& what, std::function<bool()> ready, std::function<void()> act) {
  steps_.push_back({what, std::move(ready), std::move(act)});
  return *this;
}

Script& Script::OnDialog(const std::string& caption, std::function<void(HWND)> act) {
  auto shown = std::make_shared<HWND>(nullptr);
  lastDialog_ = shown;
  return When(
      "a dialog captioned \"" + caption + "\"", [caption] { return FindModal(caption) != nullptr; },
      [caption, act, shown] { act(*shown = FindModal(caption)); });
}

Script& Script::AfterClose(const std::string& what, std::function<void()> act) {
  std::shared_ptr<HWND> shown = lastDialog_;
  return When(
      what + " to close", [shown] { return shown != nullptr && *shown != nullptr && !IsWindow(*shown); },
      std::move(act));
}

Script* Script::running_ = nullptr;

Script::~Script() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  if (running_ == this) running_ = nullptr;
}

void Script::Start() {
  running_ = this;
  start_ = GetTickCount();
  timer_ = SetTimer(nullptr, 0, 20, &Script::Tick);
}

void CALLBACK Script::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (running_ != nullptr) running_->OnTick();
}

// Once every step ran, the timer still ends windows left open past the bound.
void Script::OnTick() {
  if (timedOut_) return;
  if (next_ < steps_.size() && steps_[next_].ready()) {
    // Advance first: the action may open a modal loop in which later steps run.
    steps_[next_++].act();
    return;
  }
  if (GetTickCount() - start_ < boundMs_) return;
  timedOut_ = true;
  EndMenu();
  for (HWND dialog : e2e::FindWindows({"#32770", "", GetCurrentProcessId()})) {
    // A Yes/No message box has no close; No ends it.
    PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
}

std::string Script::Failure() const {
  const std::string step =
      next_ < steps_.size() ? "step " + std::to_string(next_ + 1) + " (" + steps_[next_].what + ")" : "";
  if (timedOut_) {
    const std::string what = step.empty() ? "windows still open" : step + " still waiting";
    return what + " after " + std::to_string(boundMs_) + " ms";
  }
  return step.empty() ? step : step + " never ran";
}

HWND FindModal(const std::string& caption, const std::vector<HWND>& known) {
  for (HWND window : e2e::FindWindows({"#32770", caption, GetCurrentProcessId()})) {
    if (IsWindowVisible(window) && IsWindowEnabled(window) &&
        std::find(known.begin(), known.end(), window) == known.end()) {
      return window;
    }
  }
  return nullptr;
}

// Message boxes give their text the id 0xFFFF.
std::string MessageText(HWND box) { return e2e::ControlText(box, 0xFFFF); }

}  // namespace ui
