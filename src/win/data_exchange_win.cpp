#include "win/data_exchange_win.h"

#include <vector>

#include "text/number_text.h"
#include "win/window_text_win.h"

namespace {

bool IsRadioButton(HWND window) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, "Button") != 0) {
    return false;
  }
  const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// Calls visit(button, index) for each radio button of the group at first.
template <typename Visit>
void ForEachRadio(HWND first, Visit visit) {
  int index = 0;
  for (HWND control = first; control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    if (control != first && (GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) != 0) {
      return;
    }
    if (IsRadioButton(control)) {
      visit(control, index++);
    }
  }
}

// Index of the item of a combo box whose text equals text byte for byte, or -1.
int FindComboItemExact(HWND combo, const std::string& text) {
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
    if (length < 0) {
      continue;
    }
    std::vector<char> item(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    if (text == item.data()) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

void CDataExchange::Refuse(int id, const NumberRule& rule) {
  failed_ = true;
  MessageBoxA(GetAncestor(dialog_, GA_ROOT), rule.refusal.c_str(), rule.caption, MB_OK | MB_ICONEXCLAMATION);
  if (HWND control = Control(id)) {
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
  }
}

void CDataExchange::Text(int id, std::string& value) {
  if (failed_) {
    return;
  }
  if (save_) {
    value = WindowText(Control(id));
  } else {
    SetDlgItemTextA(dialog_, id, value.c_str());
  }
}

void CDataExchange::Number(int id, int& value, const NumberRule& rule) {
  if (failed_) {
    return;
  }
  if (!save_) {
    SetDlgItemTextA(dialog_, id, std::to_string(value).c_str());
    return;
  }
  std::uint32_t number = 0;
  const bool parsed = ParseUnsigned(WindowText(Control(id)), number);
  if (!parsed || number < static_cast<std::uint32_t>(rule.minimum) ||
      number > static_cast<std::uint32_t>(rule.maximum)) {
    Refuse(id, rule);
    return;
  }
  value = static_cast<int>(number);
}

void CDataExchange::Check(int id, int& value) {
  if (failed_) {
    return;
  }
  HWND control = Control(id);
  if (save_) {
    value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  } else {
    SendMessageA(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void CDataExchange::Radio(int firstId, int& value) {
  if (failed_) {
    return;
  }
  HWND first = Control(firstId);
  if (first == nullptr) {
    return;
  }
  if (save_) {
    ForEachRadio(first, [&](HWND button, int index) {
      if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        value = index;
      }
    });
  } else {
    ForEachRadio(first, [&](HWND button, int index) {
      SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    });
  }
}

void CDataExchange::ComboText(int id, std::string& value) {
  if (failed_) {
    return;
  }
  HWND combo = Control(id);
  if (save_) {
    const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
      value.clear();
      return;
    }
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    value = text.data();
  } else {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(FindComboItemExact(combo, value)), 0);
  }
}
