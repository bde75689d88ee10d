#include "support/ui_script_win.h"

#include <cstring>

#include "support/e2e_win.h"

namespace ui {

namespace {

thread_local Script* runningScript = nullptr;

constexpr UINT kTickMs = 30;
constexpr DWORD kSettleMs = 150;

struct ThreadSearch {
  std::string caption;
  bool enabledOnly = true;
  HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ThreadSearch*>(param);
  if (!IsWindowVisible(window) || (search->enabledOnly && !IsWindowEnabled(window))) {
    return TRUE;
  }
  char caption[512] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (search->caption == caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowEnabled(window)) {
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(window, WM_COMMAND, IDNO, 0);
  }
  return TRUE;
}

BOOL CALLBACK FindStaticText(HWND window, LPARAM param) {
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    if (text[0] != '\0') {
      *reinterpret_cast<std::string*>(param) = text;
      return FALSE;
    }
  }
  return TRUE;
}

void Notify(HWND dialog, int id, int code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ComboItem(HWND combo, LRESULT index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) {
    return std::string();
  }
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

Script::Script(DWORD stepBoundMs) : stepBoundMs_(stepBoundMs) {}

Script::~Script() {
  if (timer_ != 0) {
    KillTimer(nullptr, timer_);
  }
  if (runningScript == this) {
    runningScript = nullptr;
  }
}

Script& Script::When(const std::string& what, std::function<bool()> ready, std::function<void()> act) {
  steps_.push_back({what, std::move(ready), std::move(act)});
  return *this;
}

Script& Script::Do(const std::string& what, std::function<void()> act) {
  return When(what, [] { return true; }, std::move(act));
}

Script& Script::OnDialog(const std::string& caption, std::function<void(HWND)> act) {
  auto shown = std::make_shared<HWND>(nullptr);
  lastDialog_ = shown;
  return When(
      "a window captioned \"" + caption + "\"", [caption] { return FindModal(caption) != nullptr; },
      [caption, act, shown] {
        *shown = FindModal(caption);
        act(*shown);
      });
}

Script& Script::AfterClose(const std::string& what, std::function<void()> act) {
  std::shared_ptr<HWND> shown = lastDialog_;
  return When(
      what + " to close", [shown] { return shown != nullptr && *shown != nullptr && !IsWindow(*shown); },
      std::move(act));
}

void Script::Start() {
  runningScript = this;
  stepStart_ = GetTickCount();
  timer_ = SetTimer(nullptr, 0, kTickMs, &Script::Tick);
}

void CALLBACK Script::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (runningScript != nullptr) {
    runningScript->OnTick();
  }
}

void Script::CancelEverything() const { EnumThreadWindows(GetCurrentThreadId(), &CancelDialog, 0); }

void Script::OnTick() {
  if (!failure_.empty()) {
    CancelEverything();
    return;
  }
  if (inReady_) {
    return;
  }
  if (Finished()) {
    // Every step ran; what the test waits for should be over by now.
    if (GetTickCount() - stepStart_ >= stepBoundMs_) {
      failure_ = "windows were still open " + std::to_string(stepBoundMs_) + " ms after the last step";
      CancelEverything();
    }
    return;
  }
  Step& step = steps_[next_];
  inReady_ = true;
  const bool ready = step.ready();
  inReady_ = false;
  if (!ready) {
    if (GetTickCount() - stepStart_ >= stepBoundMs_) {
      failure_ = "step " + std::to_string(next_ + 1) + " (" + step.what + ") was not ready within " +
                 std::to_string(stepBoundMs_) + " ms";
      CancelEverything();
    }
    return;
  }
  // Advance first: the action may open a modal loop in which later steps run.
  ++next_;
  stepStart_ = GetTickCount();
  step.act();
}

HWND FindModal(const std::string& caption) {
  ThreadSearch search{caption, true, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindShown(const std::string& caption) {
  ThreadSearch search{caption, false, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string MessageText(HWND box) {
  std::string text;
  EnumChildWindows(box, &FindStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool IsChecked(HWND dialog, int id) {
  return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && IsWindowEnabled(control);
}

bool IsVisible(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string Text(HWND dialog, int id) { return e2e::ControlText(dialog, id); }

void SetText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void Focus(HWND dialog, int id) { SetFocus(GetDlgItem(dialog, id)); }

void SelectCombo(HWND dialog, int id, int index) {
  SendMessageA(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Notify(dialog, id, CBN_SELCHANGE);
}

void DropDownCombo(HWND dialog, int id) { Notify(dialog, id, CBN_DROPDOWN); }

std::vector<std::string> ComboItems(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    items.push_back(ComboItem(combo, i));
  }
  return items;
}

std::string ComboSelection(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? std::string() : ComboItem(combo, selected);
}

HWND SheetPage(HWND sheet, int index) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

int ActivePageIndex(HWND sheet) {
  HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

void SelectPage(HWND sheet, int index) { SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); }

void PressLater(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

namespace {

std::string TreeItemText(HWND tree, HTREEITEM item) {
  char text[1024] = "";
  TVITEMA data{};
  data.mask = TVIF_HANDLE | TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

template <typename Visit>
void WalkTree(HWND tree, HTREEITEM item, Visit& visit) {
  for (; item != nullptr; item = Next(tree, item, TVGN_NEXT)) {
    visit(item);
    WalkTree(tree, Next(tree, item, TVGN_CHILD), visit);
  }
}

struct OtherSearch {
  const std::vector<HWND>* known;
  HWND found = nullptr;
};

BOOL CALLBACK MatchOther(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<OtherSearch*>(param);
  char className[32] = "";
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
    return TRUE;
  }
  for (HWND known : *search->known) {
    if (known == window) {
      return TRUE;
    }
  }
  search->found = window;
  return FALSE;
}

}  // namespace

std::vector<std::string> TreeTexts(HWND dialog, int id) {
  HWND tree = GetDlgItem(dialog, id);
  std::vector<std::string> texts;
  auto collect = [&](HTREEITEM item) { texts.push_back(TreeItemText(tree, item)); };
  WalkTree(tree, Next(tree, nullptr, TVGN_ROOT), collect);
  return texts;
}

std::string TreeSelection(HWND dialog, int id) {
  HWND tree = GetDlgItem(dialog, id);
  HTREEITEM selected = Next(tree, nullptr, TVGN_CARET);
  return selected == nullptr ? std::string() : TreeItemText(tree, selected);
}

HTREEITEM FindTreeItem(HWND dialog, int id, const std::string& text) {
  HWND tree = GetDlgItem(dialog, id);
  HTREEITEM found = nullptr;
  auto match = [&](HTREEITEM item) {
    if (found == nullptr && TreeItemText(tree, item) == text) {
      found = item;
    }
  };
  WalkTree(tree, Next(tree, nullptr, TVGN_ROOT), match);
  return found;
}

void SelectTreeItem(HWND dialog, int id, const std::string& text) {
  SendDlgItemMessageA(dialog, id, TVM_SELECTITEM, TVGN_CARET,
                      reinterpret_cast<LPARAM>(FindTreeItem(dialog, id, text)));
}

void ClickTreeItem(HWND dialog, int id, const std::string& text) {
  HWND tree = GetDlgItem(dialog, id);
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  RECT rect{};
  const HTREEITEM item = FindTreeItem(dialog, id, text);
  std::memcpy(&rect, &item, sizeof item);
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  // The tree follows a pressed button until its release, which therefore
  // waits in the queue before the press arrives.
  PostMessageA(tree, WM_LBUTTONUP, 0, point);
  SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
}

void PressSpaceOnTreeItem(HWND dialog, int id, const std::string& text) {
  SelectTreeItem(dialog, id, text);
  SendDlgItemMessageA(dialog, id, WM_KEYDOWN, VK_SPACE, 1);
  SendDlgItemMessageA(dialog, id, WM_CHAR, ' ', 1);
}

bool IsTreeItemExpanded(HWND dialog, int id, const std::string& text) {
  const LRESULT state = SendDlgItemMessageA(dialog, id, TVM_GETITEMSTATE,
                                            reinterpret_cast<WPARAM>(FindTreeItem(dialog, id, text)), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

std::vector<std::string> ListColumn(HWND dialog, int id, int column) {
  HWND list = GetDlgItem(dialog, id);
  std::vector<std::string> texts;
  const LRESULT count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    char text[1024] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

void FocusListRow(HWND dialog, int id, int row) {
  LVITEMA state{};
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendDlgItemMessageA(dialog, id, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

HWND FindOtherModal(const std::vector<HWND>& known) {
  OtherSearch search{&known, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchOther, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Shot(HWND window, const std::string& name) {
  // A window that has just appeared reaches the screen a little later.
  for (int pass = 0; pass < 2; ++pass) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    Sleep(kSettleMs);
  }
  e2e::SaveScreenshot(window, name);
}

}  // namespace ui
