#include "app/history_dialog_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "res/product.h"
#include "res/resource.h"
#include "win/application_win.h"
#include "win/list_view_win.h"
#include "win/resource_text_win.h"

namespace {

constexpr int kWarningImage = 0;

}  // namespace

CHistoryDialog::CHistoryDialog(const CHistoryFile& file) : CDialog(IDD_HISTORY), file_(file) {}

CHistoryDialog::~CHistoryDialog() {
  if (IsOpen()) DestroyWindow(Handle());
  if (images_ != nullptr) ImageList_Destroy(images_);
}

void CHistoryDialog::Open(HWND owner) {
  if (!IsOpen() && !Create(owner)) {
    return;
  }
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
}

bool CHistoryDialog::OnInitDialog() {
  if (HICON icon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_PROGRAM))) {
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  HWND list = Item(IDC_HISTORY_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  if (images_ == nullptr) {
    images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(images_, static_cast<HICON>(LoadImageA(nullptr, IDI_WARNING, IMAGE_ICON, 16, 16, LR_SHARED)));
  }
  SetListImages(list, images_);
  RECT area{};
  GetClientRect(list, &area);
  const int time = ListTextWidth(list, "2026-12-07 07:30:05") + 36;
  const int account = ListTextWidth(list, "ｱｶｳﾝﾄｱｶｳﾝﾄ");
  InsertListColumn(list, 0, LoadResourceText(IDS_HISTORY_TIME), time);
  InsertListColumn(list, 1, LoadResourceText(IDS_HISTORY_ACCOUNT), account);
  InsertListColumn(list, 2, LoadResourceText(IDS_HISTORY_WHAT), area.right - time - account - GetSystemMetrics(SM_CXVSCROLL));
  Refresh();
  return true;
}

void CHistoryDialog::Refresh() {
  if (!IsOpen()) {
    return;
  }
  HWND list = Item(IDC_HISTORY_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  DeleteAllListRows(list);
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
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

bool CHistoryDialog::OnCommand(int id, int code) {
  if (id == IDC_HISTORY_OPEN && code == BN_CLICKED) {
    OpenFile();
    return true;
  }
  return CDialog::OnCommand(id, code);
}

void CHistoryDialog::OpenFile() {
  const auto opened = reinterpret_cast<INT_PTR>(
      ShellExecuteA(Handle(), "open", file_.Path().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (opened <= 32) {
    Message(LoadResourceText(IDS_HISTORY_NOT_OPENED), kProductCaption, MB_OK | MB_ICONEXCLAMATION);
  }
}
