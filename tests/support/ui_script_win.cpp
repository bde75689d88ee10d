#include "support/ui_script_win.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "support/e2e_win.h"
#include "support/png_writer.h"

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

std::string Text(HWND dialog, int id) { return e2e::ControlText(dialog, id); }

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
  for (auto* pixel = static_cast<const std::uint8_t*>(bits); pixel != nullptr && rgb.size() < 3u * width * height;
       pixel += 4) {
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
