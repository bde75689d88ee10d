#include "support/ui_script_win.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "support/e2e_win.h"
#include "support/png_writer.h"

namespace ui {

namespace {

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

// The first visible window of this thread that match accepts.
HWND FindThreadWindow(const std::function<bool(HWND)>& match) {
  std::pair<const std::function<bool(HWND)>*, HWND> search{&match, nullptr};
  const auto visit = [](HWND window, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<decltype(search)*>(param);
    s->second = IsWindowVisible(window) && (*s->first)(window) ? window : nullptr;
    return s->second == nullptr;
  };
  EnumThreadWindows(GetCurrentThreadId(), visit, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// Every item of a tree with its text, depth first.
std::vector<std::pair<HTREEITEM, std::string>> TreeItems(HWND tree) {
  std::vector<std::pair<HTREEITEM, std::string>> items;
  const auto next = [tree](HTREEITEM item, WPARAM relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  };
  std::vector<HTREEITEM> pending{next(nullptr, TVGN_ROOT)};
  while (!pending.empty()) {
    HTREEITEM item = pending.back();
    pending.pop_back();
    if (item == nullptr) {
      continue;
    }
    char text[1024] = "";
    TVITEMA data{TVIF_HANDLE | TVIF_TEXT, item, 0, 0, text, sizeof text, 0, 0, 0, 0};
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    items.emplace_back(item, text);
    pending.push_back(next(item, TVGN_NEXT));
    pending.push_back(next(item, TVGN_CHILD));
  }
  return items;
}

HTREEITEM FindTreeItem(HWND tree, const std::string& text) {
  for (const auto& item : TreeItems(tree)) {
    if (item.second == text) {
      return item.first;
    }
  }
  return nullptr;
}

}  // namespace

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
      [caption, act, shown] { act(*shown = FindModal(caption)); });
}

Script& Script::AfterClose(const std::string& what, std::function<void()> act) {
  std::shared_ptr<HWND> shown = lastDialog_;
  return When(
      what + " to close", [shown] { return shown != nullptr && *shown != nullptr && !IsWindow(*shown); },
      std::move(act));
}

void Script::Start() {
  // Never done: once every step ran, the stepper still ends windows left open.
  stepper_ = std::make_unique<ModalStepper>(
      [this] {
        // Advance first: the action may open a modal loop in which later steps run.
        if (next_ < steps_.size() && steps_[next_].ready()) {
          steps_[next_++].act();
        }
        return false;
      },
      boundMs_);
}

std::string Script::Failure() const {
  const std::string step =
      next_ < steps_.size() ? "step " + std::to_string(next_ + 1) + " (" + steps_[next_].what + ")" : "";
  if (stepper_ != nullptr && stepper_->TimedOut()) {
    return (step.empty() ? "windows" : step) + " still waiting after " + std::to_string(boundMs_) + " ms";
  }
  return step.empty() ? step : step + " never ran";
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

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string Text(HWND dialog, int id) { return e2e::ControlText(dialog, id); }

void SetText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

void SelectCombo(HWND dialog, int id, const std::string& text) {
  const std::vector<std::string> items = ComboItems(dialog, id);
  const auto found = std::find(items.begin(), items.end(), text);
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, found == items.end() ? -1 : found - items.begin(), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  std::vector<std::string> items;
  for (LRESULT i = 0; i < SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0); ++i) {
    char text[1024] = "";
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

std::string ComboSelection(HWND dialog, int id) {
  const LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? std::string() : ComboItems(dialog, id)[static_cast<std::size_t>(selected)];
}

HWND SheetPage(HWND sheet, int index) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

void PressLater(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

std::vector<std::string> TreeTexts(HWND dialog, int id) {
  std::vector<std::string> texts;
  for (const auto& item : TreeItems(GetDlgItem(dialog, id))) {
    texts.push_back(item.second);
  }
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

void Shot(HWND window, const std::string& name) {
  const char* folder = std::getenv("LARKSPUR_SHOTS");
  if (folder == nullptr || *folder == '\0') {
    return;
  }
  // The window's own pixels, painted now: no waiting for the display, and
  // nothing of what lies on top of the window.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  for (const auto* pixel = static_cast<const std::uint8_t*>(bits); rgb.size() < 3u * width * height; pixel += 4) {
    rgb.insert(rgb.end(), {pixel[2], pixel[1], pixel[0]});
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  // Wine reaches the Unix file system's root as drive Z:.
  const std::string path = (folder[0] == '/' ? "Z:" : "") + std::string(folder);
  CreateDirectoryA(path.c_str(), nullptr);
  WritePng(path + "/" + name + ".png", width, height, rgb);
}

}  // namespace ui
