// The pending window (予約一覧): every reserved and held mail with its due
// time, kind, account, subject and where it goes, the first due first; one
// whose move has failed is marked. It reads when opened and when asked to,
// and never writes or asks the client anything.
#pragma once

#include <functional>

#include "app/marked_list_dialog_win.h"
#include "jobs/pending_mails.h"

class CPendingDialog : public CMarkedListDialog {
 public:
  using Source = std::function<std::vector<PendingMail>()>;

  explicit CPendingDialog(Source source);

 protected:
  bool OnCommand(int id, int code) override;
  std::vector<std::pair<int, int>> Columns(HWND list) const override;
  void FillRows(HWND list) override;

 private:
  Source source_;
};
