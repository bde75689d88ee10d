#include "app/history_dialog_win.h"

#include <shellapi.h>

#include "res/product.h"
#include "res/resource.h"
#include "win/list_view_win.h"
#include "win/resource_text_win.h"

CHistoryDialog::CHistoryDialog(const CHistoryFile& file) : CMarkedListDialog(IDD_HISTORY, IDC_HISTORY_LIST), file_(file) {}

std::vector<std::pair<int, int>> CHistoryDialog::Columns(HWND list) const {
  RECT area{};
  GetClientRect(list, &area);
  const int time = ListTextWidth(list, "2026-12-07 07:30:05") + 36;
  const int account = ListTextWidth(list, "ｱｶｳﾝﾄｱｶｳﾝﾄ");
  return {{IDS_HISTORY_TIME, time},
          {IDS_HISTORY_ACCOUNT, account},
          {IDS_HISTORY_WHAT, area.right - time - account - GetSystemMetrics(SM_CXVSCROLL)}};
}

void CHistoryDialog::FillRows(HWND list) {
  const std::vector<std::string> lines = file_.ReadLast(kMaxRows);
  int row = 0;
  for (auto text = lines.rbegin(); text != lines.rend(); ++text) {
    HistoryLine line;
    if (!ParseHistoryLine(*text, line)) {
      continue;
    }
    const int at = InsertListRow(list, row, line.time, line.failure ? kWarningImage : I_IMAGENONE, 0);
    if (at < 0) {
      break;
    }
    SetListCell(list, at, 1, line.account);
    SetListCell(list, at, 2, line.text);
    ++row;
  }
}

bool CHistoryDialog::OnCommand(int id, int code) {
  if (id == IDC_HISTORY_OPEN && code == BN_CLICKED) {
    OpenFile();
    return true;
  }
  return CMarkedListDialog::OnCommand(id, code);
}

void CHistoryDialog::OpenFile() {
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteA(Handle(), "open", file_.Path().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened <= 32) {
    Message(LoadResourceText(IDS_HISTORY_NOT_OPENED), kProductCaption, MB_OK | MB_ICONEXCLAMATION);
  }
}
