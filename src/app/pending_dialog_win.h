// The pending window (予約一覧): every reserved and held mail with its due
// time, kind, account, subject and where it goes, the first due first; one
// whose move has failed is marked by a warning sign. It reads when opened and
// when asked to, and never writes or asks the client anything.
#pragma once

#include <functional>
#include <vector>

#include "jobs/pending_mails.h"
#include "win/dialog_win.h"

class CPendingDialog : public CDialog {
 public:
  using Source = std::function<std::vector<PendingMail>()>;

  explicit CPendingDialog(Source source);
  ~CPendingDialog() override;

  // Creates the window, or brings it to the front and reads again when open.
  void Open(HWND owner);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;

 private:
  void Refresh();

  Source source_;
  HIMAGELIST images_ = nullptr;
};
