// The bridge against windows of the test's own: the main-window test, the
// fetch state read straight from a menu this process can read, and which
// message windows the dialog check cancels.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "bridge/mail_client_win.h"
#include "support/e2e_win.h"

namespace {

constexpr int kFetchStateItem = 32835;
constexpr const char* kTestClass = "LarkspurTestWindow";
constexpr const char* kViewClass = "AfxFrameOrView42s";

// What a test window saw, and how it answers the menu-open notification.
struct WindowState {
  bool busy = false;
  int cancels = 0;
  int fetchMenuOpens = 0;
};

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state != nullptr && message == WM_INITMENUPOPUP && LOWORD(lParam) == 3) {
    // As the client does: item states follow the fetch when the menu opens.
    ++state->fetchMenuOpens;
    EnableMenuItem(reinterpret_cast<HMENU>(wParam), kFetchStateItem,
                   MF_BYCOMMAND | (state->busy ? MF_GRAYED : MF_ENABLED));
    return 0;
  }
  if (state != nullptr && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    ++state->cancels;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TestProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTestClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = kViewClass;
    RegisterClassA(&wc);
    return true;
  }();
  (void)registered;
}

class TestWindow {
 public:
  TestWindow(const std::string& caption, WindowState* state, HWND owner = nullptr,
             HMENU menu = nullptr) {
    RegisterClasses();
    handle_ = CreateWindowExA(0, kTestClass, caption.c_str(),
                              (owner != nullptr ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) |
                                  WS_VISIBLE,
                              100, 100, 300, 200, owner, menu, GetModuleHandleA(nullptr), state);
  }
  ~TestWindow() { DestroyWindow(handle_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return handle_; }
  void AddView() {
    CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, handle_, nullptr,
                    GetModuleHandleA(nullptr), nullptr);
  }

 private:
  HWND handle_ = nullptr;
};

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
}

TEST(ClientWindow, MainWindowIsRecognisedByCaptionAndView) {
  const struct {
    const char* caption;
    bool view;
    bool found;
  } cases[] = {
      {"Corvid", false, false},
      {"Corvid", true, true},
      {"[表示] 郵便受け - Corvid", false, true},
      {"ソフト - Corvid", false, true},
      {"- Corvid", true, false},
      {"Corvid メモ", true, false},
  };
  for (const auto& c : cases) {
    CMailClientBridge bridge;
    HWND window = nullptr;
    {
      WindowState state;
      TestWindow candidate(c.caption, &state);
      if (c.view) {
        candidate.AddView();
      }
      window = candidate.Handle();
      EXPECT_EQ(bridge.FindClientWindow() == window, c.found) << c.caption << " view " << c.view;
    }
    // A remembered window that has gone is not used any more.
    EXPECT_EQ(bridge.ClientWindow(), nullptr) << c.caption;
    EXPECT_TRUE(bridge.IsFetchDone()) << "without a client window the fetch counts as done";
  }
}

HMENU MakeMenuBar(int popups, int itemPopup, UINT itemFlags) {
  HMENU bar = CreateMenu();
  for (int i = 0; i < popups; ++i) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 40000 + i, "項目");
    if (i == itemPopup) {
      AppendMenuA(popup, MF_STRING | itemFlags, kFetchStateItem, "設定");
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "メニュー");
  }
  return bar;
}

TEST(ClientWindow, FetchStateIsReadFromAMenuThisProcessCanRead) {
  const struct {
    const char* name;
    int popups;
    int itemPopup;
    UINT itemFlags;  // before the menu-open notification
    bool busy;
    bool done;
  } cases[] = {
      {"idle, item re-enabled by the notification", 4, 3, MF_GRAYED, false, true},
      {"fetching, item grayed by the notification", 4, 3, MF_ENABLED, true, false},
      {"item checked", 4, 3, MF_CHECKED, false, false},
      {"no item 32835", 4, -1, 0, false, false},
      {"item in the third menu, no fourth", 3, 2, 0, false, false},
      {"no menu, no answer to the query", 0, -1, 0, false, false},
  };
  for (const auto& c : cases) {
    WindowState state;
    state.busy = c.busy;
    HMENU bar = c.popups > 0 ? MakeMenuBar(c.popups, c.itemPopup, c.itemFlags) : nullptr;
    TestWindow client("[表示] 郵便受け - Corvid", &state, nullptr, bar);
    CMailClientBridge bridge;
    EXPECT_EQ(bridge.IsFetchDone(), c.done) << c.name;
    if (c.popups >= 4) {
      EXPECT_EQ(state.fetchMenuOpens, 1) << c.name << ": the fourth menu was not opened first";
    }
  }
}

TEST(ClientWindow, OnlyTheClientsOwnMessageWindowIsCancelled) {
  const struct {
    const char* ownerCaption;  // nullptr: no owner
    const char* caption;
    DismissResult result;
  } cases[] = {
      {"[表示] 郵便受け - Corvid", "エラー", kErrorDialog},
      {"[表示] 郵便受け - Corvid", "メール受信", kMailReceivedDialog},
      {"[表示] 郵便受け - Corvid", "お知らせ", kNoClientDialog},
      {"メモ帳", "エラー", kNoClientDialog},
      {nullptr, "エラー", kNoClientDialog},
  };
  for (const auto& c : cases) {
    WindowState ownerState;
    WindowState dialogState;
    std::unique_ptr<TestWindow> owner;
    if (c.ownerCaption != nullptr) {
      owner = std::make_unique<TestWindow>(c.ownerCaption, &ownerState);
    }
    TestWindow dialog(c.caption, &dialogState, owner ? owner->Handle() : nullptr);
    CMailClientBridge bridge;
    EXPECT_EQ(bridge.DismissDialogs(), c.result) << c.caption;
    Pump();
    EXPECT_EQ(dialogState.cancels, c.result != kNoClientDialog ? 1 : 0) << c.caption;
  }
}

TEST(ClientWindow, DialogCheckHandlesOneWindowPerCallAndRunsOnAnotherThread) {
  WindowState clientState;
  WindowState firstState;
  WindowState secondState;
  TestWindow client("[ポスト] 郵便受け - Corvid", &clientState);
  TestWindow first("メール受信", &firstState, client.Handle());
  TestWindow second("メール受信", &secondState, client.Handle());
  CMailClientBridge bridge;
  ASSERT_EQ(bridge.ClientWindow(), client.Handle());

  // As the finish-check thread does, while this thread, which owns the
  // windows, answers no messages: the check must not wait for it.
  std::atomic<int> result{-1};
  std::thread check([&] { result = bridge.DismissDialogs(); });
  const DWORD start = GetTickCount();
  while (result.load() == -1 && GetTickCount() - start < 10000) {
    Sleep(10);
  }
  const bool finished = result.load() != -1;
  if (finished) {
    check.join();
  } else {
    check.detach();
  }
  ASSERT_TRUE(finished) << "the dialog check on another thread waited for this thread";
  EXPECT_EQ(result.load(), kMailReceivedDialog);
  Pump();
  EXPECT_EQ(firstState.cancels + secondState.cancels, 1);
}

}  // namespace
