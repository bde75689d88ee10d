// Data exchange between a dialog's controls and its members, both directions
// in one function per dialog:
//
//   void CSchedulePage::DoDataExchange(CDataExchange& dx) {
//     dx.Number(IDC_RETRY_COUNT, schedule_->RetryCount, kRetryRule);
//     dx.Check(IDC_DIAL_UP, schedule_->DialUp);
//   }
//
// When saving, the first value a control refuses is reported to the user in
// the words its dialog gave, the control gets the focus, and every later call
// does nothing; Failed() tells.
#pragma once

#include <windows.h>

#include <string>

// A whole number from minimum to maximum, shown without separators, and the
// message box that says so when the control holds anything else.
struct NumberRule {
  int minimum;
  int maximum;
  const char* caption;
  std::string refusal;
};

class CDataExchange {
 public:
  CDataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}

  bool Saving() const { return save_; }
  bool Failed() const { return failed_; }

  void Text(int id, std::string& value);
  void Number(int id, int& value, const NumberRule& rule);
  // Check box: 1 ticked, 0 not.
  void Check(int id, int& value);
  // The radio group that starts at firstId and runs to the next control with
  // WS_GROUP: the index of the ticked button, -1 for none. Saving with no
  // button ticked keeps the value, so a stored value outside the group survives.
  void Radio(int firstId, int& value);
  // A drop-down list's selected text. Showing selects the item whose text is
  // exactly value (byte for byte), or nothing when there is none.
  void ComboText(int id, std::string& value);

 private:
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  void Refuse(int id, const NumberRule& rule);

  HWND dialog_;
  bool save_;
  bool failed_ = false;
};
