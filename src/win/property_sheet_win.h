// A modal property sheet on PropertySheetA and its pages.
//
// The system creates a page's window the first time the page is shown; a page
// never shown runs no handler. OK and Apply first let the active page go
// (kill-active, which reads its controls), then call OnApply of every page
// whose window exists; a page refuses by returning false, and the sheet stays
// open on it. The sheet itself hears of an apply before the pages' OnApply
// and again once every page took it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win/dialog_win.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(int templateId);

  // The sheet the page was added to.
  CPropertySheet* Sheet() const { return sheet_; }
  // The sheet's window, or nullptr before the page is created.
  HWND SheetWindow() const;
  // Marks the page changed (the sheet enables Apply) or unchanged.
  void SetModified(bool changed = true) const;

 protected:
  // Every time the page becomes the active one; false keeps the sheet from
  // showing it. The default shows the members in the controls (except the
  // first time, which the initialisation has done).
  virtual bool OnSetActive();
  // When the page stops being active, also before OK and Apply; false keeps
  // it active. The default reads the controls.
  virtual bool OnKillActive();
  // OK and Apply, for every page that has been shown; false refuses.
  virtual bool OnApply() { return true; }

 private:
  friend class CPropertySheet;
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The sheet's notices; the page's controls' go on to OnNotify.
  bool DispatchNotify(NMHDR& header, INT_PTR& result) override;

  CPropertySheet* sheet_ = nullptr;
  bool firstSetActive_ = true;
};

class CPropertySheet {
 public:
  // The caption is a string resource of the program.
  explicit CPropertySheet(int captionId);
  virtual ~CPropertySheet();
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  // Pages stay owned by the caller and are shown in the order added.
  void AddPage(CPropertyPage* page);

  // Runs the sheet modally on the first page, the owner disabled meanwhile.
  // IDOK after OK, IDCANCEL after Cancel (even when Apply saved pages
  // before), -1 when it could not be shown.
  virtual INT_PTR DoModal(HWND owner);

  HWND Handle() const { return hwnd_; }
  // Makes page the active page, as a click on its tab would.
  bool SetActivePage(const CPropertyPage* page) const;
  bool IsActivePage(const CPropertyPage* page) const;

 protected:
  // Commands sent to the sheet's own window; true when handled. Others go on
  // to the system, which passes them to the active page.
  virtual bool OnCommand(int id, int code);
  // OK (ok true) or Apply: once the active page let go, before any page's OnApply.
  virtual void OnApplying(bool ok);
  // OK or Apply: once every page took it.
  virtual void OnApplied(bool ok);

 private:
  friend class CPropertyPage;
  static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  int PageIndex(const CPropertyPage* page) const;
  // Runs page's OnApply within the apply it belongs to.
  bool Apply(CPropertyPage& page, bool ok);

  int captionId_;
  std::vector<CPropertyPage*> pages_;
  HWND hwnd_ = nullptr;
  // Whether the last apply came from OK and every page took it so far.
  bool okApplied_ = false;
  // Between the first page's OnApply of an apply and its end.
  bool applying_ = false;
};
