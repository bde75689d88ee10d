#include "win/property_sheet_win.h"

#include "win/application_win.h"

namespace {

// The sheet whose window PropertySheetA is creating on this thread: its
// callback carries no pointer of ours.
thread_local CPropertySheet* creatingSheet = nullptr;

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

CPropertyPage::CPropertyPage(int templateId) : CDialog(templateId) {}

HWND CPropertyPage::SheetWindow() const { return Handle() != nullptr ? GetParent(Handle()) : nullptr; }

void CPropertyPage::SetModified(bool changed) const {
  if (HWND sheet = SheetWindow()) {
    SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(Handle()), 0);
  }
}

bool CPropertyPage::OnSetActive() {
  if (firstSetActive_) {
    firstSetActive_ = false;
    return true;
  }
  UpdateData(false);
  return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

bool CPropertyPage::DispatchNotify(NMHDR& header, INT_PTR& result) {
  if (header.hwndFrom != SheetWindow()) {
    return OnNotify(header, result);
  }
  switch (header.code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      return true;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_APPLY: {
      const bool ok = reinterpret_cast<PSHNOTIFY&>(header).lParam != FALSE;
      const bool accepted = sheet_ != nullptr ? sheet_->Apply(*this, ok) : OnApply();
      result = accepted ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      return true;
    }
    case PSN_QUERYCANCEL:
    case PSN_RESET:
      result = 0;
      return true;
    default:
      return OnNotify(header, result);
  }
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = nullptr;
  if (message == WM_INITDIALOG && lParam != 0) {
    // The system hands the page its PROPSHEETPAGE, whose lParam is the object.
    self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
  }
  return Route(self, hwnd, message, wParam, lParam);
}

CPropertySheet::CPropertySheet(int captionId) : captionId_(captionId) {}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->sheet_ = this;
  pages_.push_back(page);
}

bool CPropertySheet::OnCommand(int, int) { return false; }

void CPropertySheet::OnApplying(bool) {}

void CPropertySheet::OnApplied(bool) {}

bool CPropertySheet::Apply(CPropertyPage& page, bool ok) {
  // The system hands the apply to every page that has a window, in order,
  // and stops at the first that refuses.
  if (!applying_) {
    applying_ = true;
    OnApplying(ok);
  }
  const bool accepted = page.OnApply();
  // The system's own result says "saved" after Apply then Cancel as well.
  okApplied_ = accepted && ok;
  const CPropertyPage* last = nullptr;
  for (const CPropertyPage* shown : pages_) {
    if (shown->Handle() != nullptr) {
      last = shown;
    }
  }
  if (!accepted || &page == last) {
    applying_ = false;
    if (accepted) {
      OnApplied(ok);
    }
  }
  return accepted;
}

int CPropertySheet::PageIndex(const CPropertyPage* page) const {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i] == page) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool CPropertySheet::SetActivePage(const CPropertyPage* page) const {
  const int index = PageIndex(page);
  if (hwnd_ == nullptr || index < 0) {
    return false;
  }
  return SendMessageA(hwnd_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
}

bool CPropertySheet::IsActivePage(const CPropertyPage* page) const {
  return hwnd_ != nullptr && page->Handle() != nullptr &&
         reinterpret_cast<HWND>(SendMessageA(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0)) == page->Handle();
}

INT_PTR CPropertySheet::DoModal(HWND owner) {
  std::vector<PROPSHEETPAGEA> sheetPages;
  for (CPropertyPage* page : pages_) {
    page->firstSetActive_ = true;
    PROPSHEETPAGEA sheetPage{};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.dwFlags = PSP_DEFAULT;
    sheetPage.hInstance = ResourceInstance();
    sheetPage.pszTemplate = MAKEINTRESOURCEA(page->TemplateId());
    sheetPage.pfnDlgProc = &CPropertyPage::PageProc;
    sheetPage.lParam = reinterpret_cast<LPARAM>(page);
    sheetPages.push_back(sheetPage);
  }
  if (sheetPages.empty()) {
    return -1;
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
  header.hwndParent = owner;
  header.hInstance = ResourceInstance();
  header.pszCaption = MAKEINTRESOURCEA(captionId_);
  header.nPages = static_cast<UINT>(sheetPages.size());
  header.nStartPage = 0;
  header.ppsp = sheetPages.data();
  header.pfnCallback = &CPropertySheet::SheetCallback;

  okApplied_ = false;
  applying_ = false;
  CPropertySheet* outer = creatingSheet;
  creatingSheet = this;
  const INT_PTR result = PropertySheetA(&header);
  creatingSheet = outer;
  hwnd_ = nullptr;
  if (result < 0) {
    return -1;
  }
  return result > 0 && okApplied_ ? IDOK : IDCANCEL;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && creatingSheet != nullptr) {
    creatingSheet->hwnd_ = hwnd;
    SetWindowSubclass(hwnd, &CPropertySheet::SubclassProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(creatingSheet));
  }
  return 0;
}

LRESULT CALLBACK CPropertySheet::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR data) {
  try {
    auto* self = reinterpret_cast<CPropertySheet*>(data);
    if (message == WM_COMMAND && self->OnCommand(LOWORD(wParam), HIWORD(wParam))) {
      return 0;
    }
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(hwnd, &CPropertySheet::SubclassProc, kSubclassId);
      self->hwnd_ = nullptr;
    }
  } catch (...) {
    // A fault in one handler must not take the program down.
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}
