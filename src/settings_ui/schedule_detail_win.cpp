#include "settings_ui/schedule_detail_win.h"

#include <windows.h>
#include <commctrl.h>

#include "res/product.h"
#include "res/settings_ui_ids.h"
#include "win/data_exchange_win.h"

namespace {

constexpr const char* kNoAccount = "ｱｶｳﾝﾄが選択されていません";
constexpr int kSunday = 0;

NumberRule Between(int minimum, int maximum) {
  return {minimum, maximum, kProductCaption,
          std::to_string(minimum) + " から " + std::to_string(maximum) + " までの整数を入力してください。"};
}

}  // namespace

const CommandEntry<CScheduleDetailDlg> CScheduleDetailDlg::kCommands[] = {
    {IDC_EVERY_DAY, BN_CLICKED, &CScheduleDetailDlg::OnEveryDayClicked},
};

CScheduleDetailDlg::CScheduleDetailDlg(const std::vector<std::string>& titles)
    : CDialog(IDD_SCHEDULE_DETAIL), titles_(titles) {}

void CScheduleDetailDlg::DoDataExchange(CDataExchange& dx) {
  if (!dx.Saving()) {
    SetItemText(IDC_MAILBOX_PATH, mailBoxPath);
  }
  dx.Check(IDC_EVERY_DAY, everyDay);
  dx.Number(IDC_HOUR, hour, Between(0, 23));
  dx.Number(IDC_MINUTE, minute, Between(0, 59));
  for (int i = 0; i < CSchedule::kDays; ++i) {
    dx.Check(IDC_MONDAY + i, daysInControlOrder[static_cast<std::size_t>(i)]);
  }
}

bool CScheduleDetailDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  tree_.Attach(Item(IDC_ACCOUNT_TREE));
  tree_.Fill(titles_, accounts);
  SendDlgItemMessageA(Handle(), IDC_HOUR_SPIN, UDM_SETRANGE32, 0, 23);
  SendDlgItemMessageA(Handle(), IDC_MINUTE_SPIN, UDM_SETRANGE32, 0, 59);
  EnableItem(IDC_EVERY_DAY, everyDayAllowed);
  EnableDays();
  return true;
}

void CScheduleDetailDlg::EnableDays() {
  for (int id = IDC_MONDAY; id <= IDC_SUNDAY; ++id) {
    EnableItem(id, everyDayAllowed && everyDay != 0);
  }
}

void CScheduleDetailDlg::OnEveryDayClicked() {
  // Only the box itself: a half-typed time must not interrupt the click.
  everyDay = IsDlgButtonChecked(Handle(), IDC_EVERY_DAY) == BST_CHECKED ? 1 : 0;
  EnableDays();
}

bool CScheduleDetailDlg::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code);
}

void CScheduleDetailDlg::OnOK() {
  if (!UpdateData(true)) {
    return;
  }
  draft_.hour = hour;
  draft_.minute = minute;
  draft_.everyDay = everyDay != 0;
  draft_.accounts = tree_.CheckedTitles();
  // The boxes run Monday to Sunday; the weekdays count from Sunday.
  for (int i = 0; i < CSchedule::kDays; ++i) {
    const int weekday = i == CSchedule::kDays - 1 ? kSunday : i + 1;
    draft_.days[static_cast<std::size_t>(weekday)] = daysInControlOrder[static_cast<std::size_t>(i)] != 0;
  }
  if (draft_.accounts.empty()) {
    Message(kNoAccount, kProductCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  EndModal(IDOK);
}
