// The bridge against windows of the test's own: the fetch state read straight
// from a menu this process can read, and which message windows the dialog
// check cancels. Finding the client's window is met against the stand-in.
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <thread>

#include "bridge/mail_client_win.h"
#include "support/e2e_win.h"

namespace {

constexpr int kFetchStateItem = 32835;
constexpr const char* kClientCaption = "[表示] 郵便受け - Corvid";

// What a test window saw; busy says how the fetch item follows a fetch.
struct WindowState {
  bool busy = false;
  int cancels = 0;
  int fetchMenuOpens = 0;
};

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state != nullptr && message == WM_INITMENUPOPUP && LOWORD(lParam) == 3) {
    // As the client does: item states follow the fetch when the menu opens.
    ++state->fetchMenuOpens;
    EnableMenuItem(reinterpret_cast<HMENU>(wParam), kFetchStateItem, state->busy ? MF_GRAYED : MF_ENABLED);
    return 0;
  }
  if (state != nullptr && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    ++state->cancels;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

struct TestWindow {
  TestWindow(const char* caption, WindowState* state, HWND owner = nullptr, HMENU menu = nullptr) {
    static const WNDCLASSA type{0, &TestProc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "LarkspurTest"};
    static const bool registered = RegisterClassA(&type) != 0;
    const DWORD style = (owner != nullptr ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) | WS_VISIBLE;
    handle = registered ? CreateWindowExA(0, "LarkspurTest", caption, style, 100, 100, 300, 200, owner, menu, nullptr, state) : nullptr;
  }
  ~TestWindow() { DestroyWindow(handle); }
  HWND handle;
};

TEST(ClientWindow, TheFetchStateIsReadFromTheFourthMenuAfterItsOpenNotice) {
  const struct { const char* name; int popups, itemPopup; UINT itemFlags; bool busy, done; } cases[] = {
      {"idle, item re-enabled by the notice", 4, 3, MF_GRAYED, false, true},
      {"fetching, item grayed by the notice", 4, 3, MF_ENABLED, true, false},
      {"item checked", 4, 3, MF_CHECKED, false, false},
      {"no item 32835", 4, -1, 0, false, false},
      {"item in the third menu, no fourth", 3, 2, 0, false, false},
      {"no menu, no answer to the query", 0, -1, 0, false, false}};
  for (const auto& c : cases) {
    HMENU bar = c.popups > 0 ? CreateMenu() : nullptr;
    for (int i = 0; i < c.popups; ++i) {
      HMENU popup = CreatePopupMenu();
      AppendMenuA(popup, MF_STRING, 40000 + i, "項目");
      if (i == c.itemPopup) AppendMenuA(popup, MF_STRING | c.itemFlags, kFetchStateItem, "設定");
      AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "メニュー");
    }
    WindowState state{c.busy};
    TestWindow client(kClientCaption, &state, nullptr, bar);
    EXPECT_EQ(CMailClientBridge().IsFetchDone(), c.done) << c.name;
    EXPECT_TRUE(c.popups < 4 || state.fetchMenuOpens == 1) << c.name << ": the fourth menu was not opened first";
  }
}

// The finish-check thread asks while the thread that owns the windows answers
// nothing: the check must not wait for it.
TEST(ClientWindow, OnlyTheClientsOwnMessageWindowIsCancelledWithoutWaitingForIt) {
  const struct { const char* ownerCaption; const char* caption; DismissResult result; } cases[] = {
      {kClientCaption, "エラー", kErrorDialog},   {kClientCaption, "メール受信", kMailReceivedDialog},
      {kClientCaption, "お知らせ", kNoClientDialog}, {"メモ帳", "エラー", kNoClientDialog},
      {nullptr, "エラー", kNoClientDialog}};  // no owner
  for (const auto& c : cases) {
    WindowState ownerState;
    WindowState dialogState;
    std::unique_ptr<TestWindow> owner;
    if (c.ownerCaption != nullptr) owner = std::make_unique<TestWindow>(c.ownerCaption, &ownerState);
    TestWindow dialog(c.caption, &dialogState, owner ? owner->handle : nullptr);
    auto promise = std::make_shared<std::promise<DismissResult>>();
    std::future<DismissResult> answer = promise->get_future();
    std::thread([promise] { promise->set_value(CMailClientBridge().DismissDialogs()); }).detach();
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.caption;
    EXPECT_EQ(answer.get(), c.result) << c.caption;
    e2e::WaitUntil([] { return true; }, 0);  // handles the cancel posted to the dialog
    EXPECT_EQ(dialogState.cancels, c.result != kNoClientDialog ? 1 : 0) << c.caption;
  }
}

}  // namespace
