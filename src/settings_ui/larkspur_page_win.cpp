#include "settings_ui/larkspur_page_win.h"

#include <commdlg.h>

#include "res/settings_ui_ids.h"
#include "settings_ui/pickers_win.h"
#include "win/data_exchange_win.h"

const CommandEntry<CLarkspurPage> CLarkspurPage::kCommands[] = {
    {IDC_AUTO_START, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_AUTO_CHECK, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_SAVE_POS, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_TOP_MOST, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_CATCH_UP, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_NOTIFY_SENT, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_DOUBLE_CLICK_SHOW, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_DOUBLE_CLICK_SETTINGS, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_DOUBLE_CLICK_FETCH, BN_CLICKED, &CLarkspurPage::OnModified},
    {IDC_TASK_TRAY, BN_CLICKED, &CLarkspurPage::OnTrayClicked},
    {IDC_NEXT_FONT_CHANGE, BN_CLICKED, &CLarkspurPage::OnNextFont},
    {IDC_NOW_FONT_CHANGE, BN_CLICKED, &CLarkspurPage::OnNowFont},
    {IDC_NEXT_COLOR, BN_CLICKED, &CLarkspurPage::OnNextColor},
    {IDC_NOW_COLOR, BN_CLICKED, &CLarkspurPage::OnNowColor},
};

CLarkspurPage::CLarkspurPage(SettingsDraft& draft) : CPropertyPage(IDD_LARKSPUR_PAGE), draft_(draft) {}

void CLarkspurPage::SetFonts(const LOGFONTA& nowFont, const LOGFONTA& nextFont) {
  nowFont_ = nowFont;
  nextFont_ = nextFont;
}

void CLarkspurPage::DoDataExchange(CDataExchange& dx) {
  GeneralSettings& general = draft_.general;
  dx.Check(IDC_AUTO_START, general.AutoStart);
  dx.Check(IDC_AUTO_CHECK, general.AutoCheck);
  dx.Check(IDC_SAVE_POS, general.SavePos);
  dx.Check(IDC_TOP_MOST, general.TopMost);
  dx.Check(IDC_CATCH_UP, general.CatchUp);
  dx.Check(IDC_NOTIFY_SENT, general.NotifySent);
  dx.Check(IDC_TASK_TRAY, general.TaskTray);
  dx.Radio(IDC_DOUBLE_CLICK_SHOW, general.RDoubleClk);
  dx.Text(IDC_NEXT_FONT_NAME, general.NextTimeFont);
  dx.Text(IDC_NOW_FONT_NAME, general.NowTimeFont);
  // The tree is filled where the titles change. Without titles it has
  // nothing to say about the stored choice.
  if (dx.Saving() && !draft_.accountTitles.empty()) {
    general.fetchAccounts = tree_.CheckedTitles();
  }
}

bool CLarkspurPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  tree_.Attach(Item(IDC_ACCOUNT_TREE), [this] { SetModified(); });
  EnableDoubleClick();
  nextColorButton_.Attach(Item(IDC_NEXT_COLOR));
  nowColorButton_.Attach(Item(IDC_NOW_COLOR));
  nextColorButton_.SetColor(static_cast<COLORREF>(draft_.general.NextTimeColor));
  nowColorButton_.SetColor(static_cast<COLORREF>(draft_.general.NowTimeColor));
  tree_.Fill(draft_.accountTitles, draft_.general.fetchAccounts);
  return true;
}

void CLarkspurPage::ReloadAccounts() {
  if (Handle() != nullptr) {
    tree_.Fill(draft_.accountTitles, draft_.general.fetchAccounts);
    // The ticks as the tree now shows them are the ones OK stores.
    UpdateData(true);
  }
}

bool CLarkspurPage::OnSetActive() {
  const bool any = !draft_.accountTitles.empty();
  for (int id : {IDC_ACCOUNT_TREE, IDC_AUTO_START, IDC_AUTO_CHECK}) {
    EnableItem(id, any);
  }
  return CPropertyPage::OnSetActive();
}

void CLarkspurPage::EnableDoubleClick() {
  for (int id : {IDC_DOUBLE_CLICK_LABEL, IDC_DOUBLE_CLICK_SHOW, IDC_DOUBLE_CLICK_SETTINGS, IDC_DOUBLE_CLICK_FETCH}) {
    EnableItem(id, draft_.general.TaskTray != 0);
  }
}

void CLarkspurPage::OnModified() { SetModified(); }

void CLarkspurPage::OnTrayClicked() {
  UpdateData(true);
  EnableDoubleClick();
  SetModified();
}

void CLarkspurPage::ChooseFontFor(LOGFONTA& font, std::string& face) {
  UpdateData(true);
  CFontNameDialog dialog(font, CF_SCREENFONTS | CF_EFFECTS);
  if (dialog.DoModal(SheetWindow()) != IDOK) {
    return;
  }
  font = dialog.Font();
  face = font.lfFaceName;
  UpdateData(false);
  SetModified();
}

void CLarkspurPage::OnNextFont() { ChooseFontFor(nextFont_, draft_.general.NextTimeFont); }

void CLarkspurPage::OnNowFont() { ChooseFontFor(nowFont_, draft_.general.NowTimeFont); }

void CLarkspurPage::ChooseColorFor(int& color, CColorButton& button) {
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = SheetWindow();
  choose.rgbResult = static_cast<COLORREF>(color);
  choose.lpCustColors = customColors_;
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorA(&choose)) {
    return;
  }
  color = static_cast<int>(choose.rgbResult);
  button.SetColor(choose.rgbResult);
  SetModified();
}

void CLarkspurPage::OnNextColor() { ChooseColorFor(draft_.general.NextTimeColor, nextColorButton_); }

void CLarkspurPage::OnNowColor() { ChooseColorFor(draft_.general.NowTimeColor, nowColorButton_); }

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

bool CLarkspurPage::OnCommand(int id, int code) {
  return RouteCommand(this, kCommands, id, code) || CPropertyPage::OnCommand(id, code);
}
