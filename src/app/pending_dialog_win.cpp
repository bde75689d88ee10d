#include "app/pending_dialog_win.h"

#include "history/run_history.h"
#include "res/resource.h"
#include "win/list_view_win.h"
#include "win/resource_text_win.h"

CPendingDialog::CPendingDialog(Source source)
    : CMarkedListDialog(IDD_PENDING, IDC_PENDING_LIST), source_(std::move(source)) {}

std::vector<std::pair<int, int>> CPendingDialog::Columns(HWND list) const {
  RECT area{};
  GetClientRect(list, &area);
  const int time = ListTextWidth(list, "2026-12-07 07:30:05") + 36;
  const int kind = ListTextWidth(list, "送信予約") + 14;
  const int account = ListTextWidth(list, "ｱｶｳﾝﾄｱｶｳﾝﾄ");
  const int rest = area.right - time - kind - account - GetSystemMetrics(SM_CXVSCROLL);
  return {{IDS_PENDING_DUE, time}, {IDS_PENDING_KIND, kind}, {IDS_HISTORY_ACCOUNT, account},
          {IDS_PENDING_SUBJECT, rest / 3}, {IDS_PENDING_ROUTE, rest - rest / 3}};
}

void CPendingDialog::FillRows(HWND list) {
  const std::string send = LoadResourceText(IDS_PENDING_SEND);
  const std::string forward = LoadResourceText(IDS_PENDING_FORWARD);
  int row = 0;
  for (const PendingMail& mail : source_()) {
    const int at = InsertListRow(list, row, HistoryTime(mail.due), mail.overdue ? kWarningImage : I_IMAGENONE, 0);
    if (at < 0) {
      break;
    }
    SetListCell(list, at, 1, mail.forwarding ? forward : send);
    SetListCell(list, at, 2, mail.account);
    SetListCell(list, at, 3, mail.subject);
    SetListCell(list, at, 4, mail.mail + " → " + mail.target);
    ++row;
  }
  // The route is as wide as its longest text, or as its column when there is none.
  if (row > 0) {
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 4, LVSCW_AUTOSIZE);
  }
}

bool CPendingDialog::OnCommand(int id, int code) {
  if (id == IDC_PENDING_REFRESH && code == BN_CLICKED) {
    Refresh();
    return true;
  }
  return CMarkedListDialog::OnCommand(id, code);
}
