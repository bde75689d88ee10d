#include "support/ui_script_win.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

// Adds item, its siblings after it and all their children to items with their texts, depth first.
void CollectTree(HWND tree, HTREEITEM item, std::vector<std::pair<HTREEITEM, std::string>>& items) {
  for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
    char text[1024] = "";
    TVITEMA data{TVIF_HANDLE | TVIF_TEXT, item, 0, 0, text, sizeof text, 0, 0, 0, 0};
    TreeView_GetItem(tree, &data);
    items.emplace_back(item, text);
    CollectTree(tree, TreeView_GetChild(tree, item), items);
  }
}

HTREEITEM FindTreeItem(HWND tree, const std::string& text) {
  std::vector<std::pair<HTREEITEM, std::string>> items;
  CollectTree(tree, TreeView_GetRoot(tree), items);
  const auto found = std::find_if(items.begin(), items.end(), [&](const auto& item) { return item.second == text; });
  return found == items.end() ? nullptr : found->first;
}

}  // namespace

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

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void SelectCombo(HWND dialog, int id, const std::string& text) {
  const LRESULT found = SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(text.c_str()));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ComboSelection(HWND dialog, int id) {
  char text[1024] = "";
  const LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
  return selected == CB_ERR ? std::string() : text;
}

void PressLater(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

std::vector<std::string> TreeTexts(HWND dialog, int id) {
  std::vector<std::pair<HTREEITEM, std::string>> items;
  CollectTree(GetDlgItem(dialog, id), TreeView_GetRoot(GetDlgItem(dialog, id)), items);
  std::vector<std::string> texts;
  for (const auto& item : items) {
    texts.push_back(item.second);
  }
  return texts;
}

void ClickTreeItem(HWND dialog, int id, const std::string& text) {
  HWND tree = GetDlgItem(dialog, id);
  RECT rect{};
  TreeView_GetItemRect(tree, FindTreeItem(tree, text), &rect, TRUE);
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  // The tree follows a pressed button until its release, which therefore
  // waits in the queue before the press arrives.
  PostMessageA(tree, WM_LBUTTONUP, 0, point);
  SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
}

}  // namespace ui
