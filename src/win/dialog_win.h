// A dialog window from a template, modeless or modal, bound to its C++ object.
//
// The object is bound once, at WM_INITDIALOG; every message then goes through
// one dispatch function with a catch-all boundary, so nothing thrown ever
// crosses into the system. Derived classes override the hooks they need.
#pragma once

#include <windows.h>

#include <string>

class CDataExchange;

class CDialog {
 public:
  explicit CDialog(int templateId);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Modeless: creates the window and returns at once.
  bool Create(HWND parent);
  // Modal: returns the result given to EndModal (IDOK, IDCANCEL, ...), or -1
  // when the dialog could not be created.
  INT_PTR DoModal(HWND parent);

  int TemplateId() const { return templateId_; }
  HWND Handle() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text);
  void EnableItem(int id, bool enable) const;
  void ShowItem(int id, bool show) const;

  // Runs the data exchange: controls to members when save is true (false
  // when a value was refused; the user has been told), members to controls otherwise.
  bool UpdateData(bool save);

 protected:
  // The default shows the members in the controls. True lets the system put
  // the focus on the first control.
  virtual bool OnInitDialog();
  // True when the command was handled.
  virtual bool OnCommand(int id, int code);
  // WM_NOTIFY from a control; true when handled, with its result in result.
  // Notices it leaves go to OnMessage.
  virtual bool OnNotify(NMHDR& header, INT_PTR& result);
  // Any other message; true when handled, with its result in result (which
  // reaches the sender through DWLP_MSGRESULT where a dialog needs that).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // One function per dialog for both directions of the data exchange.
  virtual void DoDataExchange(CDataExchange& exchange);
  // Enter and Escape: a modal dialog ends, a modeless one is destroyed.
  virtual void OnOK();
  virtual void OnCancel();
  // Runs while the window is being destroyed, before the handle is forgotten.
  virtual void OnDestroy() {}
  // Runs after the window is gone; a modeless dialog on the heap may delete itself here.
  virtual void OnFinalDestroy() {}

  void EndModal(INT_PTR result);
  // The lParam of the WM_COMMAND being handled by OnCommand.
  LPARAM CommandParam() const { return commandParam_; }

  // A message box owned by this dialog's top-level window.
  int Message(const std::string& text, const std::string& caption, UINT type) const;

  // The dialog procedure's body for window kinds that find their object
  // another way at WM_INITDIALOG: self is that object then, nullptr later.
  static INT_PTR Route(CDialog* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // Where every WM_NOTIFY goes first. A kind of window that gets notices of
  // its own besides its controls' (a page from its sheet) takes them here
  // and leaves the rest to OnNotify.
  virtual bool DispatchNotify(NMHDR& header, INT_PTR& result);

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  LPARAM commandParam_ = 0;
};
