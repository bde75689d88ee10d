#include "app/pending_dialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include "history/run_history.h"
#include "res/resource.h"
#include "win/application_win.h"
#include "win/list_view_win.h"
#include "win/resource_text_win.h"

namespace {

constexpr int kWarningImage = 0;

}  // namespace

CPendingDialog::CPendingDialog(Source source) : CDialog(IDD_PENDING), source_(std::move(source)) {}

CPendingDialog::~CPendingDialog() {
  if (IsWindow(Handle())) DestroyWindow(Handle());
  if (images_ != nullptr) ImageList_Destroy(images_);
}

void CPendingDialog::Open(HWND owner) {
  if (IsWindow(Handle())) {
    Refresh();
  } else if (!Create(owner)) {
    return;
  }
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
}

bool CPendingDialog::OnInitDialog() {
  if (HICON icon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_PROGRAM))) {
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  HWND list = Item(IDC_PENDING_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  if (images_ == nullptr) {
    images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(images_, static_cast<HICON>(LoadImageA(nullptr, IDI_WARNING, IMAGE_ICON, 16, 16, LR_SHARED)));
  }
  SetListImages(list, images_);
  RECT area{};
  GetClientRect(list, &area);
  const int widths[] = {ListTextWidth(list, "2026-12-07 07:30:05") + 36, ListTextWidth(list, "送信予約") + 14,
                        ListTextWidth(list, "ｱｶｳﾝﾄｱｶｳﾝﾄ"), 0, 0};
  const int rest = area.right - widths[0] - widths[1] - widths[2] - GetSystemMetrics(SM_CXVSCROLL);
  const int titles[] = {IDS_PENDING_DUE, IDS_PENDING_KIND, IDS_HISTORY_ACCOUNT, IDS_PENDING_SUBJECT, IDS_PENDING_ROUTE};
  for (int column = 0; column < 5; ++column) {
    InsertListColumn(list, column, LoadResourceText(titles[column]), column < 3 ? widths[column] : rest / 3);
  }
  Refresh();
  return true;
}

void CPendingDialog::Refresh() {
  HWND list = Item(IDC_PENDING_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  DeleteAllListRows(list);
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
  // The route is as wide as its longest text, or as its title when there is none.
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 4, row > 0 ? LVSCW_AUTOSIZE : LVSCW_AUTOSIZE_USEHEADER);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool CPendingDialog::OnCommand(int id, int code) {
  if (id == IDC_PENDING_REFRESH && code == BN_CLICKED) {
    Refresh();
    return true;
  }
  return CDialog::OnCommand(id, code);
}
