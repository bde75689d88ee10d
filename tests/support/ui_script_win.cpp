#include "support/ui_script_win.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "support/e2e_win.h"
#include "support/png_writer.h"

namespace ui {

namespace {

thread_local Script* runningScript = nullptr;

constexpr UINT kTickMs = 30;

// The first visible window of this thread that match(window) accepts.
HWND FindThreadWindow(const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{&match, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (!IsWindowVisible(window) || !(*s->match)(window)) {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ClassName(HWND window) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
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

HTREEITEM NextItem(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Calls visit(item) for every item of the tree, depth first.
template <typename Visit>
void WalkTree(HWND tree, HTREEITEM item, Visit& visit) {
  for (; item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
    visit(item);
    WalkTree(tree, NextItem(tree, item, TVGN_CHILD), visit);
  }
}

HTREEITEM FindTreeItem(HWND tree, const std::string& text) {
  HTREEITEM found = nullptr;
  auto match = [&](HTREEITEM item) {
    if (found == nullptr && TreeItemText(tree, item) == text) {
      found = item;
    }
  };
  WalkTree(tree, NextItem(tree, nullptr, TVGN_ROOT), match);
  return found;
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

std::string Script::Failure() const {
  if (!failure_.empty() || next_ >= steps_.size()) {
    return failure_;
  }
  return "step " + std::to_string(next_ + 1) + " (" + steps_[next_].what + ") never ran";
}

void CALLBACK Script::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (runningScript != nullptr) {
    runningScript->OnTick();
  }
}

void Script::Fail(const std::string& failure) {
  if (failure_.empty()) {
    failure_ = failure;
  }
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        if (ClassName(window) == "#32770" && IsWindowEnabled(window)) {
          PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
          PostMessageA(window, WM_COMMAND, IDNO, 0);
        }
        return TRUE;
      },
      0);
}

void Script::OnTick() {
  if (!failure_.empty()) {
    Fail(failure_);
    return;
  }
  if (inReady_) {
    return;
  }
  const bool late = GetTickCount() - stepStart_ >= stepBoundMs_;
  const std::string bound = " within " + std::to_string(stepBoundMs_) + " ms";
  if (next_ >= steps_.size()) {
    // Every step ran; what the test waits for should be over by now.
    if (late) {
      Fail("windows were still open" + bound + " of the last step");
    }
    return;
  }
  Step& step = steps_[next_];
  inReady_ = true;
  const bool ready = step.ready();
  inReady_ = false;
  if (!ready) {
    if (late) {
      Fail("step " + std::to_string(next_ + 1) + " (" + step.what + ") was not ready" + bound);
    }
    return;
  }
  // Advance first: the action may open a modal loop in which later steps run.
  ++next_;
  stepStart_ = GetTickCount();
  step.act();
}

HWND FindModal(const std::string& caption) {
  return FindThreadWindow([&](HWND window) { return IsWindowEnabled(window) && WindowText(window) == caption; });
}

HWND FindShown(const std::string& caption) {
  return FindThreadWindow([&](HWND window) { return WindowText(window) == caption; });
}

HWND FindOtherModal(const std::vector<HWND>& known) {
  return FindThreadWindow([&](HWND window) {
    return ClassName(window) == "#32770" && IsWindowEnabled(window) &&
           std::find(known.begin(), known.end(), window) == known.end();
  });
}

std::string MessageText(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassName(child).c_str(), "Static") == 0 && !WindowText(child).empty()) {
      return WindowText(child);
    }
  }
  return std::string();
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

std::string Text(HWND dialog, int id) { return e2e::ControlText(dialog, id); }

void SetText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void SelectCombo(HWND dialog, int id, const std::string& text) {
  const std::vector<std::string> items = ComboItems(dialog, id);
  const auto found = std::find(items.begin(), items.end(), text);
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, found == items.end() ? -1 : found - items.begin(), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

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

std::vector<std::string> TreeTexts(HWND dialog, int id) {
  HWND tree = GetDlgItem(dialog, id);
  std::vector<std::string> texts;
  auto collect = [&](HTREEITEM item) { texts.push_back(TreeItemText(tree, item)); };
  WalkTree(tree, NextItem(tree, nullptr, TVGN_ROOT), collect);
  return texts;
}

void SelectTreeItem(HWND dialog, int id, const std::string& text) {
  SendDlgItemMessageA(dialog, id, TVM_SELECTITEM, TVGN_CARET,
                      reinterpret_cast<LPARAM>(FindTreeItem(GetDlgItem(dialog, id), text)));
}

void ClickTreeItem(HWND dialog, int id, const std::string& text) {
  HWND tree = GetDlgItem(dialog, id);
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  RECT rect{};
  const HTREEITEM item = FindTreeItem(tree, text);
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

void Shot(HWND window, const std::string& name) {
  const char* dir = std::getenv("LARKSPUR_SHOTS");
  if (dir == nullptr || *dir == '\0') {
    return;
  }
  // The window's own pixels, painted now, whatever the display has shown so
  // far or what lies on top of it.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; pixels != nullptr && i < width * height; ++i) {
    rgb.insert(rgb.end(), {pixels[i * 4 + 2], pixels[i * 4 + 1], pixels[i * 4]});
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  // Wine takes a path from the root of the Unix file system on drive Z:.
  const std::string folder = (dir[0] == '/' ? "Z:" : "") + std::string(dir);
  CreateDirectoryA(folder.c_str(), nullptr);
  WritePng(folder + "/" + name + ".png", width, height, rgb);
}

}  // namespace ui
