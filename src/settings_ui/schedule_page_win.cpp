#include "settings_ui/schedule_page_win.h"

#include <ctime>

#include "res/product.h"
#include "res/settings_ui_ids.h"
#include "schedule/local_time.h"
#include "settings_ui/schedule_detail_win.h"
#include "settings_ui/schedule_edits.h"
#include "text/number_text.h"
#include "win/application_win.h"
#include "win/data_exchange_win.h"
#include "win/list_view_win.h"
#include "win/tab_control_win.h"

namespace {

constexpr int kMinimumInterval = 15;
const NumberRule kRetryRule{0, 0x7FFFFFFF, kProductCaption, "正の整数を入力してください。"};
// The row's icon and the list's margins beside the time text, in pixels.
constexpr int kTimeColumnPadding = 32;
constexpr int kPlainImage = 0;
constexpr int kEveryDayImage = 1;
constexpr const char* kWeekdayTabs[CSchedule::kDays] = {"日曜", "月曜", "火曜", "水曜", "木曜", "金曜", "土曜"};
constexpr const char* kDeleteCaption = "削除";
constexpr const char* kDeleteQuestion = "削除していいですか?";
constexpr const char* kDeleteEveryDayQuestion = "このﾃﾞｰﾀは毎日実行される設定です。\n他の日のﾃﾞｰﾀも削除しますか";

}  // namespace

const CommandEntry<CSchedulePage> CSchedulePage::kCommands[] = {
    {IDC_ENTRY_ADD, BN_CLICKED, &CSchedulePage::OnAdd},
    {IDC_ENTRY_EDIT, BN_CLICKED, &CSchedulePage::OnEdit},
    {IDC_ENTRY_DELETE, BN_CLICKED, &CSchedulePage::OnDelete},
    {IDC_DIAL_UP, BN_CLICKED, &CSchedulePage::OnModified},
    {IDC_RETRY_COUNT, EN_CHANGE, &CSchedulePage::OnEditedNumber},
    {IDC_RETRY_INTERVAL, EN_CHANGE, &CSchedulePage::OnEditedNumber},
    {IDC_RETRY_INTERVAL, EN_KILLFOCUS, &CSchedulePage::OnIntervalLeft},
};

const NotifyEntry<CSchedulePage, NMHDR> CSchedulePage::kNotifications[] = {
    {IDC_ENTRY_LIST, static_cast<int>(NM_DBLCLK), &CSchedulePage::OnListDoubleClick},
    {IDC_ENTRY_LIST, static_cast<int>(LVN_ITEMCHANGED), &CSchedulePage::OnItemChanged},
    {IDC_WEEKDAY_TABS, static_cast<int>(TCN_SELCHANGE), &CSchedulePage::OnTabChanged},
};

CSchedulePage::CSchedulePage(SettingsDraft& draft)
    : CPropertyPage(IDD_SCHEDULE_PAGE),
      schedule_(draft.schedule),
      jobs_(draft.jobs),
      mailBoxPath_(draft.client.MailBoxPath),
      titles_(draft.accountTitles) {}

CSchedulePage::~CSchedulePage() {
  if (images_ != nullptr) {
    ImageList_Destroy(images_);
  }
}

void CSchedulePage::DoDataExchange(CDataExchange& dx) {
  showing_ = !dx.Saving();
  dx.Number(IDC_RETRY_COUNT, schedule_.RetryCount, kRetryRule);
  dx.Number(IDC_RETRY_INTERVAL, schedule_.RetryInterval, kRetryRule);
  dx.Check(IDC_DIAL_UP, schedule_.DialUp);
  showing_ = false;
  // However the page is left, a retry comes no sooner than the spin allows.
  if (dx.Saving() && !dx.Failed() && schedule_.RetryInterval < kMinimumInterval) {
    schedule_.RetryInterval = kMinimumInterval;
  }
}

bool CSchedulePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND tabs = Item(IDC_WEEKDAY_TABS);
  for (int day = 0; day < CSchedule::kDays; ++day) {
    InsertTab(tabs, day, kWeekdayTabs[day]);
  }

  images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
  for (int id : {IDI_ENTRY_PLAIN, IDI_ENTRY_EVERY_DAY}) {
    HICON icon =
        static_cast<HICON>(LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ImageList_AddIcon(images_, icon);
    DestroyIcon(icon);
  }
  HWND list = Item(IDC_ENTRY_LIST);
  // 70 pixels, or what the widest time needs beside its icon in this font.
  const int timeWidth = ListTextWidth(list, EntryTimeText(88, 88)) + kTimeColumnPadding;
  InsertListColumn(list, 0, "時間", timeWidth > 70 ? timeWidth : 70);
  InsertListColumn(list, 1, "ｱｶｳﾝﾄ", 220);
  SetListImages(list, images_);

  SendDlgItemMessageA(Handle(), IDC_RETRY_COUNT_SPIN, UDM_SETRANGE32, 0, 999);
  SendDlgItemMessageA(Handle(), IDC_RETRY_INTERVAL_SPIN, UDM_SETRANGE32, kMinimumInterval, 9999);

  UpdateData(false);
  const int today = ToLocalTime(std::time(nullptr)).weekday;
  SelectTab(tabs, today);
  ShowDay(today);
  return true;
}

int CSchedulePage::SelectedDay() const { return SelectedTab(Item(IDC_WEEKDAY_TABS)); }

void CSchedulePage::ShowDay(int day) {
  if (day < 0 || day >= CSchedule::kDays) {
    return;
  }
  HWND list = Item(IDC_ENTRY_LIST);
  DeleteAllListRows(list);
  const CScheduleDayList& entries = schedule_.Day(day);
  for (std::size_t i = 0; i < entries.Count(); ++i) {
    CScheduleEntry& entry = entries.At(i);
    const int image = entry.EveryDay != 0 ? kEveryDayImage : kPlainImage;
    // The list sorts by the time text; the row lands where it belongs.
    const int row = InsertListRow(list, static_cast<int>(i), EntryTimeText(entry.hour, entry.minute), image,
                                  reinterpret_cast<LPARAM>(&entry));
    if (row >= 0) {
      SetListCell(list, row, 1, EntryAccountsText(entry));
    }
  }
}

CScheduleEntry* CSchedulePage::CurrentEntry() const {
  HWND list = Item(IDC_ENTRY_LIST);
  const int focused = FocusedListRow(list);
  if (focused < 0) {
    return nullptr;
  }
  const LPARAM data = ListRowData(list, focused);
  const int day = SelectedDay();
  if (day < 0 || day >= CSchedule::kDays) {
    return nullptr;
  }
  // Only an entry that is still in the shown day's list.
  const CScheduleDayList& entries = schedule_.Day(day);
  for (std::size_t i = 0; i < entries.Count(); ++i) {
    if (reinterpret_cast<LPARAM>(&entries.At(i)) == data) {
      return &entries.At(i);
    }
  }
  return nullptr;
}

bool CSchedulePage::OnSetActive() {
  const bool any = jobs_.Count() != 0;
  for (int id : {IDC_ENTRY_ADD, IDC_ENTRY_EDIT, IDC_ENTRY_DELETE, IDC_ENTRY_LIST, IDC_WEEKDAY_TABS, IDC_DIAL_UP,
                 IDC_RETRY_COUNT, IDC_RETRY_INTERVAL, IDC_RETRY_COUNT_SPIN, IDC_RETRY_INTERVAL_SPIN}) {
    EnableItem(id, any);
  }
  return CPropertyPage::OnSetActive();
}

void CSchedulePage::OnAdd() {
  CScheduleDetailDlg detail(titles_);
  detail.mailBoxPath = mailBoxPath_;
  if (detail.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  const int day = SelectedDay();
  AddScheduleEntries(schedule_, day, detail.Draft());
  ShowDay(day);
  SetModified();
}

void CSchedulePage::OnEdit() {
  CScheduleEntry* entry = CurrentEntry();
  if (entry == nullptr) {
    return;
  }
  CScheduleDetailDlg detail(titles_);
  detail.everyDayAllowed = false;
  detail.mailBoxPath = mailBoxPath_;
  detail.hour = entry->hour;
  detail.minute = entry->minute;
  detail.everyDay = entry->EveryDay != 0 ? 1 : 0;
  detail.accounts = entry->accounts;
  if (detail.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  const EntryDraft draft = detail.Draft();
  const int day = SelectedDay();
  EditScheduleEntry(schedule_, day, *entry, draft.hour, draft.minute, draft.accounts);
  SetModified();
  ShowDay(day);
}

void CSchedulePage::OnDelete() {
  CScheduleEntry* entry = CurrentEntry();
  if (entry == nullptr) {
    return;
  }
  if (Message(kDeleteQuestion, kDeleteCaption, MB_OKCANCEL) != IDOK) {
    return;
  }
  bool allDays = false;
  if (entry->EveryDay != 0) {
    allDays = Message(kDeleteEveryDayQuestion, kDeleteCaption, MB_YESNO) == IDYES;
  }
  const int day = SelectedDay();
  DeleteScheduleEntry(schedule_, day, *entry, allDays);
  SetModified();
  ShowDay(day);
}

void CSchedulePage::OnModified() { SetModified(); }

void CSchedulePage::OnEditedNumber() {
  if (!showing_) {
    SetModified();
  }
}

void CSchedulePage::OnIntervalLeft() {
  std::uint32_t interval = 0;
  if (ParseUnsigned(ItemText(IDC_RETRY_INTERVAL), interval) && interval < kMinimumInterval) {
    schedule_.RetryInterval = kMinimumInterval;
    SetItemText(IDC_RETRY_INTERVAL, std::to_string(kMinimumInterval));
  }
}

INT_PTR CSchedulePage::OnListDoubleClick(NMHDR&) {
  OnEdit();
  return 0;
}

INT_PTR CSchedulePage::OnItemChanged(NMHDR&) {
  if (jobs_.Count() != 0) {
    EnableItem(IDC_ENTRY_EDIT, true);
    EnableItem(IDC_ENTRY_DELETE, true);
  }
  return 0;
}

INT_PTR CSchedulePage::OnTabChanged(NMHDR&) {
  UpdateData(true);
  ShowDay(SelectedDay());
  UpdateData(false);
  return 0;
}

bool CSchedulePage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code);
}

bool CSchedulePage::OnNotify(NMHDR& header, INT_PTR& result) {
  return RouteNotify(this, kNotifications, header, result);
}
