// The message loop's idle moment: it comes once the queue is drained, not
// between queued messages, and again after new messages were handled.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win/application_win.h"

namespace {

constexpr UINT kNote = WM_APP + 1;

class IdleApplication : public CWinApplication, private IIdleHandler {
 public:
  std::string journal;
  int idles = 0;

 protected:
  bool InitInstance() override {
    window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IdleApplication::Proc)));
    self_ = this;
    AddIdleHandler(this);
    for (char c : std::string("abc")) {
      PostMessageA(window_, kNote, static_cast<WPARAM>(c), 0);
    }
    // Ends the test even if idle never comes.
    SetTimer(window_, 1, 5000, nullptr);
    return true;
  }

  int ExitInstance() override {
    RemoveIdleHandler(this);
    DestroyWindow(window_);
    return 0;
  }

 private:
  void OnIdle() override {
    ++idles;
    journal += '|';
    if (idles == 1) {
      PostMessageA(window_, kNote, 'd', 0);
      PostMessageA(window_, kNote, 'e', 0);
    } else {
      PostQuitMessage(0);
    }
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kNote) {
      self_->journal += static_cast<char>(wParam);
      return 0;
    }
    if (message == WM_TIMER) {
      self_->journal += "timeout";
      PostQuitMessage(1);
      return 0;
    }
    return CallWindowProcA(self_->previous_, window, message, wParam, lParam);
  }

  static IdleApplication* self_;
  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
};

IdleApplication* IdleApplication::self_ = nullptr;

TEST(IdleLoop, IdleHandlersRunWhenTheQueueIsDrainedAndAgainAfterNewMessages) {
  IdleApplication app;
  EXPECT_EQ(app.Main(GetModuleHandleA(nullptr)), 0);
  EXPECT_EQ(app.journal, "abc|de|");
}

}  // namespace
