#include "win/dialog_win.h"

#include "win/application_win.h"
#include "win/data_exchange_win.h"
#include "win/window_text_win.h"

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

CDialog::CDialog(int templateId) : templateId_(templateId) {}

CDialog::~CDialog() {
  if (hwnd_ != nullptr) {
    HWND window = hwnd_;
    SetWindowLongPtrA(window, DWLP_USER, 0);
    hwnd_ = nullptr;
    DestroyWindow(window);
  }
}

bool CDialog::Create(HWND parent) {
  modal_ = false;
  HWND window = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (window == nullptr) {
    return false;
  }
  if (CWinApplication* app = CWinApplication::Current()) {
    app->AddModeless(window);
  }
  return true;
}

INT_PTR CDialog::DoModal(HWND parent) {
  modal_ = true;
  return DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent,
                         &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

std::string CDialog::ItemText(int id) const { return WindowText(Item(id)); }

void CDialog::SetItemText(int id, const std::string& text) { SetDlgItemTextA(hwnd_, id, text.c_str()); }

void CDialog::EnableItem(int id, bool enable) const {
  if (HWND item = Item(id)) {
    EnableWindow(item, enable ? TRUE : FALSE);
  }
}

void CDialog::ShowItem(int id, bool show) const {
  if (HWND item = Item(id)) {
    ShowWindow(item, show ? SW_SHOW : SW_HIDE);
  }
}

bool CDialog::UpdateData(bool save) {
  if (hwnd_ == nullptr) {
    return false;
  }
  CDataExchange exchange(hwnd_, save);
  DoDataExchange(exchange);
  return !exchange.Failed();
}

int CDialog::Message(const std::string& text, const std::string& caption, UINT type) const {
  HWND owner = hwnd_ != nullptr ? GetAncestor(hwnd_, GA_ROOT) : nullptr;
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnNotify(NMHDR&, INT_PTR&) { return false; }

bool CDialog::DispatchNotify(NMHDR& header, INT_PTR& result) { return OnNotify(header, result); }

bool CDialog::OnCommand(int id, int /*code*/) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void CDialog::OnOK() {
  if (modal_) {
    EndModal(IDOK);
  } else {
    DestroyWindow(hwnd_);
  }
}

void CDialog::OnCancel() {
  if (modal_) {
    EndModal(IDCANCEL);
  } else {
    DestroyWindow(hwnd_);
  }
}

void CDialog::EndModal(INT_PTR result) { EndDialog(hwnd_, result); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Route(message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr, hwnd, message,
               wParam, lParam);
}

INT_PTR CDialog::Route(CDialog* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      if (self == nullptr) {
        return FALSE;
      }
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
      return FALSE;
    }
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    // A fault in one handler must not take the program down.
    return FALSE;
  }
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      commandParam_ = lParam;
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      INT_PTR result = 0;
      if (lParam != 0 && DispatchNotify(*reinterpret_cast<NMHDR*>(lParam), result)) {
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      // Not a control's notice the dialog knows: like any other message.
      break;
    }
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_NCDESTROY: {
      HWND window = hwnd_;
      SetWindowLongPtrA(window, DWLP_USER, 0);
      hwnd_ = nullptr;
      if (CWinApplication* app = CWinApplication::Current()) {
        app->OnWindowGone(window);
      }
      OnFinalDestroy();
      return FALSE;
    }
    default:
      break;
  }
  // A handler may destroy the window and delete this object (a splash that
  // expires), so nothing below reads a member.
  HWND window = hwnd_;
  INT_PTR result = 0;
  if (!OnMessage(message, wParam, lParam, result)) {
    return FALSE;
  }
  if (ReturnsResultDirectly(message)) {
    return result;
  }
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}
