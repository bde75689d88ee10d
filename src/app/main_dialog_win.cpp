#include "app/main_dialog_win.h"

#include <cstdio>
#include <iterator>

#include "app/about_dialog_win.h"
#include "app/clock_texts.h"
#include "app/toolbar_tips_win.h"
#include "app/tray_menu_win.h"
#include "res/product.h"
#include "res/resource.h"
#include "settings/job_settings.h"
#include "settings/settings_layout.h"
#include "settings_ui/settings_sheet_win.h"
#include "win/application_win.h"
#include "win/resource_text_win.h"
#include "win/window_geometry_win.h"

namespace {

// Toolbar slots and images; slots 1 and 8 change their command at run time.
constexpr int kTimerSlot = 0;
constexpr int kClockSlot = 7;
constexpr int kStartImage = 0;
constexpr int kStopImage = 5;
constexpr int kHideClockImage = 4;
constexpr int kShowClockImage = 6;
constexpr ToolBarSlot kToolBarSlots[] = {
    {ID_TIMER_START, kStartImage}, {0, 0}, {ID_SETTINGS, 1}, {0, 0},
    {ID_ABORT, 2},                 {ID_FETCH, 3}, {0, 0}, {ID_CLOCK_HIDE, kHideClockImage},
};
constexpr SIZE kToolBarImage{16, 15};

constexpr int kHangUpPollMs = 10;

}  // namespace

const CommandEntry<CMainDialog> CMainDialog::kCommands[] = {
    {ID_TIMER_START, kAnyCode, &CMainDialog::OnTimerStart},
    {ID_TIMER_STOP, kAnyCode, &CMainDialog::OnTimerStop},
    {ID_ABORT, kAnyCode, &CMainDialog::OnAbort},
    {ID_FETCH, kAnyCode, &CMainDialog::OnFetch},
    {ID_CLOCK_SHOW, kAnyCode, &CMainDialog::OnClockShow},
    {ID_CLOCK_HIDE, kAnyCode, &CMainDialog::OnClockHide},
    {ID_SHOW_MAIN, kAnyCode, &CMainDialog::OnShowMain},
    {IDM_ABOUTBOX, kAnyCode, &CMainDialog::OnAbout},
    {IDM_HISTORY, kAnyCode, &CMainDialog::OnHistory},
    {IDM_PENDING, kAnyCode, &CMainDialog::OnPending},
    {ID_SETTINGS, kAnyCode, &CMainDialog::OnSettings},
};

CMainDialog::CMainDialog(const CJobSequencer::Ports& ports) : CDialog(IDD_MAIN), ports_(ports) {
  jobHost_ = std::make_unique<CJobHost>(ports, schedule_, jobs_, static_cast<IJobObserver&>(*this));
  icon_ = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_PROGRAM));
}

CMainDialog::~CMainDialog() = default;

bool CMainDialog::Create() { return CDialog::Create(nullptr); }

bool CMainDialog::OnInitDialog() {
  CSettingsKey root;
  clock_.Attach(Handle());
  AddSystemMenuItems();
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  CreateToolBar();

  GetWindowRect(Handle(), &fullWindow_);
  RECT client{};
  GetClientRect(Handle(), &client);
  fullClientHeight_ = client.bottom;

  std::string mailBoxPath;
  const bool loaded = !root.ReadStringInto(layout::kMailBoxPath.name, mailBoxPath) || jobs_.Load(mailBoxPath);
  RestorePosition(root);
  clock_.MakeNowFont(layout::Read(root, layout::kNowTimeFont));
  clock_.MakeNextFont(layout::Read(root, layout::kNextTimeFont));
  RefreshClock(ports_.clock.Now());
  clock_.SetColors(static_cast<COLORREF>(layout::Read(root, layout::kNowTimeColor)),
                   static_cast<COLORREF>(layout::Read(root, layout::kNextTimeColor)));
  schedule_.Load();
  RefreshJobSettings();
  Machine().ComputeNextRunFromNow();
  RefreshNextRun();
  ApplyClockLayout(root);
  if (layout::Read(root, layout::kTaskTray) != 0 && tray_.Install(Handle(), icon_)) {
    // Stays hidden: the icon keeps it so until the user asks for the window.
    ShowWindow(Handle(), SW_SHOW);
  }
  if (!loaded) {
    // Memory ran out and the user was told the program ends: it does,
    // without starting anything first.
    PostMessageA(Handle(), WM_COMMAND, IDCANCEL, 0);
    return true;
  }
  jobHost_->Start();
  Machine().PostStartupActions();
  return true;
}

bool CMainDialog::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CDialog::OnCommand(id, code);
}

bool CMainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(icon_);
      return true;
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_WINDOWPOSCHANGING:
      tray_.FilterPositionChange(*reinterpret_cast<WINDOWPOS*>(lParam));
      return false;
    case WM_NOTIFY:
      return AnswerToolTipRequest(reinterpret_cast<NMHDR*>(lParam));
    case WM_TRAY_NOTIFY:
      OnTrayNotify(lParam);
      return true;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
        Machine().OnResume();
        RefreshClock(ports_.clock.Now());
      }
      result = TRUE;
      return true;
    case WM_TIMECHANGE:
      OnClockChanged();
      return true;
    default:
      return false;
  }
}

bool CMainDialog::IsCommandEnabled(int id) const {
  switch (id) {
    case ID_TIMER_START:
      return Machine().CanStartTimer();
    case ID_ABORT:
      return Machine().CanAbort();
    case ID_FETCH:
      return Machine().CanFetch();
    default:
      return true;
  }
}

void CMainDialog::RefreshJobSettings() { Machine().SetSettings(ReadJobSettings()); }

void CMainDialog::MinuteBegan(std::time_t tick) {
  RefreshClock(tick);
  // A data root that could not be read before (a drive not there yet) may
  // be there by now; the minute's moves, posted already, come after this.
  const std::optional<std::string>& dataRoot = Machine().Settings().dataRoot;
  if (!jobs_.Scanned() && dataRoot) {
    jobs_.Load(*dataRoot);
  }
}

void CMainDialog::OnClockChanged() {
  Machine().OnClockChanged();
  RefreshClock(ports_.clock.Now());
}

void CMainDialog::RefreshClock(std::time_t when) { clock_.ShowNow(ports_.clock.Local(when)); }

void CMainDialog::RefreshNextRun() {
  const auto progress = Machine().Progress();
  if (progress && progress->retryAt != 0) {
    const LocalTime retry = ports_.clock.Local(progress->retryAt);
    clock_.ShowNextRun({NextRunTimeText(retry.hour, retry.minute), LoadResourceText(IDS_RETRY_LABEL)});
    return;
  }
  const CScheduleEntry& next = Machine().NextRun();
  clock_.ShowNextRun(MakeNextRunTexts(Machine().Armed(), Machine().NextRunWeekday(), next.hour, next.minute));
}

void CMainDialog::ProgressChanged() {
  std::string text;
  if (const auto progress = Machine().Progress()) {
    char line[512] = "";
    std::snprintf(line, sizeof line, LoadResourceText(IDS_PROGRESS).c_str(), progress->account.c_str(),
                  static_cast<int>(progress->number), static_cast<int>(progress->count));
    text = line;
  }
  // The narrow caption shows the run first; idle, the template's, which
  // finding the window relies on.
  SetWindowTextA(Handle(), text.empty() ? "Larkspur32" : text.c_str());
  tray_.SetTip(Handle(), text.empty() ? kProductCaption : text);
  RefreshNextRun();
}

void CMainDialog::NextRunChanged() { RefreshNextRun(); }

void CMainDialog::RunReported(const RunEvent& event) {
  // A run of the schedule's began: the one a start-up would otherwise make up.
  if (event.kind == RunEventKind::kScheduledRun || event.kind == RunEventKind::kCaughtUpRun) {
    const std::time_t now = ports_.clock.Now();
    CSettingsKey().WriteDword(layout::kLastRun.name,
                              static_cast<std::int32_t>(static_cast<std::uint32_t>(now - ports_.clock.Local(now).second)));
  }
  const HistoryLine line = history_.Write(event);
  historyWindow_.Refresh();
  const Notice notice = NoticeOf(event.kind, layout::Read(CSettingsKey(), layout::kNotifySent) != 0);
  if (notice != Notice::kNone) {
    Tell(line, notice == Notice::kFailure);
  }
}

void CMainDialog::Tell(const HistoryLine& line, bool failure) {
  const std::string text = line.account.empty() ? line.text : line.account + ": " + line.text;
  // Without the icon, or with a shell that takes no balloons, the caption flashes.
  if (!tray_.ShowBalloon(Handle(), text, failure)) {
    FLASHWINFO flash{sizeof flash, Handle(), FLASHW_CAPTION | FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
  }
}

void CMainDialog::ArmedChanged(bool armed) {
  RefreshNextRun();
  if (armed) {
    toolbar_.SetSlot(kTimerSlot, ID_TIMER_STOP, kStopImage);
  } else {
    toolbar_.SetSlot(kTimerSlot, ID_TIMER_START, kStartImage);
  }
}

void CMainDialog::AddSystemMenuItems() {
  HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
  if (systemMenu == nullptr) {
    return;
  }
  AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
  for (const auto& [id, text] : {std::pair{IDM_HISTORY, IDS_HISTORY}, std::pair{IDM_PENDING, IDS_PENDING},
                                 std::pair{IDM_ABOUTBOX, IDS_ABOUTBOX}}) {
    const std::string item = LoadResourceText(text);
    if (!item.empty()) AppendMenuA(systemMenu, MF_STRING, id, item.c_str());
  }
}

void CMainDialog::CreateToolBar() {
  if (!toolbar_.Create(Handle(), IDB_TOOLBAR, kToolBarImage, kToolBarSlots, std::size(kToolBarSlots),
                       *this)) {
    return;
  }
  // The template knows nothing of the bar: everything moves down below it and
  // the window grows by its height.
  const int barHeight = toolbar_.Height();
  OffsetChildren(Handle(), 0, barHeight, [this](HWND child) { return toolbar_.Owns(child); });
  RECT window{};
  GetWindowRect(Handle(), &window);
  MoveWindow(Handle(), window.left, window.top, window.right - window.left,
             window.bottom - window.top + barHeight, FALSE);
  toolbar_.Layout();
}

void CMainDialog::RestorePosition(const CRegistryKey& root) {
  if (layout::Read(root, layout::kSavePos) == 0) {
    return;
  }
  const int left = layout::Read(root, layout::kSaveX);
  const int top = layout::Read(root, layout::kSaveY);
  RECT window{};
  GetWindowRect(Handle(), &window);
  OffsetRect(&window, left - window.left, top - window.top);
  // A corner that would put the window on no screen at all (the screen
  // changed, or a position taken while minimised) leaves it where it is.
  if (MonitorFromRect(&window, MONITOR_DEFAULTTONULL) == nullptr) {
    return;
  }
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDialog::ApplyClockLayout(const CRegistryKey& root) {
  const bool folded = layout::Read(root, layout::kNoTimeDisp) != 0;
  RECT window{};
  GetWindowRect(Handle(), &window);
  const int fullHeight = fullWindow_.bottom - fullWindow_.top;
  // Measured against the layout at start, so folding twice stays folded.
  const int height = folded ? fullHeight - (fullClientHeight_ - toolbar_.Height()) : fullHeight;
  MoveWindow(Handle(), window.left, window.top, window.right - window.left, height, TRUE);
  if (folded) {
    toolbar_.SetSlot(kClockSlot, ID_CLOCK_SHOW, kShowClockImage);
  } else {
    toolbar_.SetSlot(kClockSlot, ID_CLOCK_HIDE, kHideClockImage);
  }
  const bool topMost = layout::Read(root, layout::kTopMost) != 0;
  SetWindowPos(Handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainDialog::SetClockFolded(bool folded) {
  CSettingsKey root;
  layout::Write(root, layout::kNoTimeDisp, folded ? 1 : 0);
  ApplyClockLayout(root);
}

void CMainDialog::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  if (IsIconic(Handle())) {
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
  } else {
    clock_.Paint(dc);
  }
  EndPaint(Handle(), &paint);
}

void CMainDialog::OnTrayNotify(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) {
    // Where the mouse was when the icon was clicked: on a busy machine the
    // cursor may have moved on before the notice is handled.
    const DWORD clicked = GetMessagePos();
    const POINT at{static_cast<short>(LOWORD(clicked)), static_cast<short>(HIWORD(clicked))};
    ShowTrayMenu(Handle(), at, TrayMenuState{Machine().Armed(), settingsOpen_});
  } else if (mouseMessage == WM_LBUTTONDBLCLK) {
    CSettingsKey root;
    const int command = TrayDoubleClickCommand(layout::Read(root, layout::kRDoubleClk), settingsOpen_);
    if (command == ID_SHOW_MAIN) {
      ShowMain();
    } else if (command != 0) {
      PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
  }
}

bool CMainDialog::OnSysCommand(WPARAM command) {
  const WPARAM kind = command & 0xFFF0;
  if (kind == IDM_ABOUTBOX) {
    ShowAbout();
    return true;
  }
  if (kind == IDM_HISTORY || kind == IDM_PENDING) {
    kind == IDM_HISTORY ? OnHistory() : OnPending();
    return true;
  }
  if (kind == SC_MINIMIZE && tray_.Present()) {
    ShowWindow(Handle(), SW_HIDE);
    tray_.SetKeptHidden(true);
    return true;
  }
  return false;
}

void CMainDialog::ShowMain() {
  tray_.SetKeptHidden(false);
  ShowWindow(Handle(), SW_SHOW);
}

void CMainDialog::OnSettings() {
  // One sheet at a time, however the command came (toolbar, tray, menu).
  if (settingsOpen_) {
    return;
  }
  CSettingSheet sheet;
  SettingsDraft& draft = sheet.Draft();
  draft.schedule.CopyFrom(schedule_);
  draft.jobs.Assign(jobs_);
  sheet.GeneralPage().SetFonts(clock_.NowLogFont(), clock_.NextLogFont());
  // The engine works with what is stored from the moment it is stored: a job
  // may run while the sheet is open.
  sheet.SetApplyListener([this] { RefreshJobSettings(); });
  settingsOpen_ = true;
  const INT_PTR result = sheet.DoModal(Handle());
  settingsOpen_ = false;
  // An apply a page refused may still have stored some values.
  RefreshJobSettings();
  if (result != IDOK) {
    return;
  }
  const GeneralSettings& general = draft.general;
  if (general.TaskTray != 0) {
    tray_.Install(Handle(), icon_);
  } else {
    if (tray_.Present()) {
      tray_.Remove(Handle());
    }
    ShowWindow(Handle(), SW_SHOW);
  }
  // A job in hand works on copies of its own; it keeps them.
  schedule_.CopyFrom(draft.schedule);
  jobs_.Assign(draft.jobs);
  clock_.MakeNowFont(general.NowTimeFont);
  clock_.MakeNextFont(general.NextTimeFont);
  clock_.SetColors(static_cast<COLORREF>(general.NowTimeColor), static_cast<COLORREF>(general.NextTimeColor));
  Machine().OnScheduleChanged();
  RefreshNextRun();
}

void CMainDialog::ShowAbout() {
  CAboutDialog about;
  about.DoModal(Handle());
}

bool CMainDialog::AskToHangUp() {
  return MessageBoxA(Handle(), "ダイアルアップ中です\n切断しますか", kProductCaption, MB_YESNO) == IDYES;
}

void CMainDialog::OnDestroy() {
  // No new run may start while the question below waits for its answer, and a
  // run in hand leaves the client as it found it.
  jobHost_->Stop();
  // Answering No keeps the line up, but the rest of the close-down still
  // runs, so no icon is left behind in the tray.
  if (ports_.dialer.HasConnection() && AskToHangUp()) {
    ports_.dialer.HangUp(kHangUpPollMs);
  }
  WinHelpA(Handle(), nullptr, HELP_QUIT, 0);
  if (tray_.Present()) {
    tray_.Remove(Handle());
  }
  toolbar_.Destroy();
  SavePosition();
}

void CMainDialog::SavePosition() {
  CSettingsKey root;
  if (layout::Read(root, layout::kSavePos) == 0) {
    return;
  }
  const POINT corner = RestoredTopLeft(Handle());
  layout::Write(root, layout::kSaveX, corner.x);
  layout::Write(root, layout::kSaveY, corner.y);
}

void CMainDialog::OnFinalDestroy() { delete this; }
