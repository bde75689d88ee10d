#include "settings_ui/larkspur_page_win.h"

#include <commdlg.h>

#include "res/settings_ui_ids.h"
#include "settings/settings_layout.h"
#include "settings_ui/pickers_win.h"
#include "win/data_exchange_win.h"

const CommandEntry<CLarkspurPage> CLarkspurPage::kCommands[] = {
    {IDC_AUTO_START, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_AUTO_CHECK, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_SAVE_POS, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_TOP_MOST, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_DOUBLE_CLICK_SHOW, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_DOUBLE_CLICK_SETTINGS, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_DOUBLE_CLICK_FETCH, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_TASK_TRAY, BN_CLICKED, &CLarkspurPage::OnTrayClicked},
    {IDC_NEXT_FONT_CHANGE, BN_CLICKED, &CLarkspurPage::OnNextFont},
    {IDC_NOW_FONT_CHANGE, BN_CLICKED, &CLarkspurPage::OnNowFont},
    {IDC_NEXT_COLOR, BN_CLICKED, &CLarkspurPage::OnNextColor},
    {IDC_NOW_COLOR, BN_CLICKED, &CLarkspurPage::OnNowColor},
};

CLarkspurPage::CLarkspurPage(const std::vector<std::string>& titles)
    : CPropertyPage(IDD_LARKSPUR_PAGE), titles_(titles) {}

void CLarkspurPage::SetFonts(const LOGFONTA& nowFont, const LOGFONTA& nextFont) {
  nowFont_ = nowFont;
  nextFont_ = nextFont;
}

void CLarkspurPage::SetColors(COLORREF nowColor, COLORREF nextColor) {
  nowColor_ = nowColor;
  nextColor_ = nextColor;
}

void CLarkspurPage::DoDataExchange(CDataExchange& dx) {
  dx.Check(IDC_AUTO_START, autoStart_);
  dx.Check(IDC_AUTO_CHECK, autoCheck_);
  dx.Check(IDC_SAVE_POS, savePos_);
  dx.Check(IDC_TOP_MOST, topMost_);
  dx.Check(IDC_TASK_TRAY, taskTray_);
  dx.Radio(IDC_DOUBLE_CLICK_SHOW, doubleClick_);
  dx.Text(IDC_NEXT_FONT_NAME, nextFontName_);
  dx.Text(IDC_NOW_FONT_NAME, nowFontName_);
}

bool CLarkspurPage::OnInitDialog() {
  // The page starts from the fonts the clock uses, not from the store.
  nowFontName_ = nowFont_.lfFaceName;
  nextFontName_ = nextFont_.lfFaceName;
  CPropertyPage::OnInitDialog();
  tree_.Attach(Item(IDC_ACCOUNT_TREE), [this] { SetModified(); });

  CSettingsKey settings;
  autoCheck_ = layout::Read(settings, layout::kAutoCheck);
  autoStart_ = layout::Read(settings, layout::kAutoStart);
  savePos_ = layout::Read(settings, layout::kSavePos);
  topMost_ = layout::Read(settings, layout::kTopMost);
  nextColor_ = static_cast<COLORREF>(layout::Read(settings, layout::kNextTimeColor));
  nowColor_ = static_cast<COLORREF>(layout::Read(settings, layout::kNowTimeColor));
  taskTray_ = layout::Read(settings, layout::kTaskTray);
  doubleClick_ = layout::Read(settings, layout::kRDoubleClk);
  EnableDoubleClick();

  nextColorButton_.Attach(Item(IDC_NEXT_COLOR));
  nowColorButton_.Attach(Item(IDC_NOW_COLOR));
  nextColorButton_.SetColor(nextColor_);
  nowColorButton_.SetColor(nowColor_);
  UpdateData(false);

  layout::ReadTextList(settings, layout::kDefAccountKey, storedFetchAccounts_);
  tree_.Fill(titles_, storedFetchAccounts_);
  return true;
}

void CLarkspurPage::ReloadAccounts() {
  if (Handle() != nullptr) {
    tree_.Fill(titles_, storedFetchAccounts_);
  }
}

bool CLarkspurPage::OnSetActive() {
  const bool any = !titles_.empty();
  for (int id : {IDC_ACCOUNT_TREE, IDC_AUTO_START, IDC_AUTO_CHECK}) {
    EnableItem(id, any);
  }
  return CPropertyPage::OnSetActive();
}

void CLarkspurPage::EnableDoubleClick() {
  for (int id : {IDC_DOUBLE_CLICK_LABEL, IDC_DOUBLE_CLICK_SHOW, IDC_DOUBLE_CLICK_SETTINGS, IDC_DOUBLE_CLICK_FETCH}) {
    EnableItem(id, taskTray_ != 0);
  }
}

void CLarkspurPage::OnModified() { SetModified(); }

void CLarkspurPage::OnTrayClicked() {
  UpdateData(true);
  EnableDoubleClick();
  SetModified();
}

void CLarkspurPage::ChooseFontFor(LOGFONTA& font, std::string& name) {
  UpdateData(true);
  CFontNameDialog dialog(font, CF_SCREENFONTS | CF_EFFECTS);
  if (dialog.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  font = dialog.Font();
  name = font.lfFaceName;
  UpdateData(false);
  SetModified();
}

void CLarkspurPage::OnNextFont() { ChooseFontFor(nextFont_, nextFontName_); }

void CLarkspurPage::OnNowFont() { ChooseFontFor(nowFont_, nowFontName_); }

void CLarkspurPage::ChooseColorFor(COLORREF& color, CColorButton& button) {
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = SheetWindow();
  choose.rgbResult = color;
  choose.lpCustColors = customColors_;
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorA(&choose)) {
    return;
  }
  color = choose.rgbResult;
  button.SetColor(color);
  SetModified();
}

void CLarkspurPage::OnNextColor() { ChooseColorFor(nextColor_, nextColorButton_); }

void CLarkspurPage::OnNowColor() { ChooseColorFor(nowColor_, nowColorButton_); }

bool CLarkspurPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_DRAWITEM) {
    return CPropertyPage::OnMessage(message, wParam, lParam, result);
  }
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item.CtlID == IDC_NEXT_COLOR) {
    nextColorButton_.Draw(item);
  } else if (item.CtlID == IDC_NOW_COLOR) {
    nowColorButton_.Draw(item);
  } else {
    return false;
  }
  result = TRUE;
  return true;
}

bool CLarkspurPage::OnApply() {
  UpdateData(true);
  CSettingsKey settings;
  layout::Write(settings, layout::kAutoCheck, autoCheck_);
  layout::Write(settings, layout::kAutoStart, autoStart_);
  layout::Write(settings, layout::kSavePos, savePos_);
  layout::Write(settings, layout::kTopMost, topMost_);
  layout::Write(settings, layout::kTaskTray, taskTray_);
  layout::Write(settings, layout::kRDoubleClk, doubleClick_);
  // Without accounts (no data root, or one out of reach) there is nothing
  // to tick, which is no reason to forget the stored choice.
  if (!titles_.empty()) {
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, tree_.CheckedTitles());
  }
  layout::Write(settings, layout::kNextTimeFont, std::string(nextFont_.lfFaceName));
  layout::Write(settings, layout::kNowTimeFont, std::string(nowFont_.lfFaceName));
  layout::Write(settings, layout::kNextTimeColor, static_cast<std::int32_t>(nextColor_));
  layout::Write(settings, layout::kNowTimeColor, static_cast<std::int32_t>(nowColor_));
  return true;
}

bool CLarkspurPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code);
}
