// The general page: start-up actions, window behaviour, the tray icon and its
// double-click action, the accounts of the fetch command, and the clock's
// fonts and colours. Writes its values to the settings store on apply; the
// opener takes the tray flag, fonts and colours over after OK.
#pragma once

#include <string>
#include <vector>

#include "settings_ui/check_tree_win.h"
#include "settings_ui/color_button_win.h"
#include "win/command_table.h"
#include "win/property_sheet_win.h"

class CLarkspurPage : public CPropertyPage {
 public:
  explicit CLarkspurPage(const std::vector<std::string>& titles);

  // Inputs from the opener: the clock's fonts and colours.
  void SetFonts(const LOGFONTA& nowFont, const LOGFONTA& nextFont);
  void SetColors(COLORREF nowColor, COLORREF nextColor);
  // The tray flag as stored, for when the page is never shown.
  void SetTaskTray(int taskTray) { taskTray_ = taskTray; }
  // The sheet has other account titles (another data root): the tree shows
  // them at once, ticked as stored, so that OK never stores the old ticks.
  void ReloadAccounts();

  // Results for the opener after OK.
  int TaskTray() const { return taskTray_; }
  const LOGFONTA& NowFont() const { return nowFont_; }
  const LOGFONTA& NextFont() const { return nextFont_; }
  COLORREF NowColor() const { return nowColor_; }
  COLORREF NextColor() const { return nextColor_; }

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnApply() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  void EnableDoubleClick();
  void OnModified();
  void OnTrayClicked();
  void OnNextFont();
  void OnNowFont();
  void OnNextColor();
  void OnNowColor();
  void ChooseFontFor(LOGFONTA& font, std::string& name);
  void ChooseColorFor(COLORREF& color, CColorButton& button);
  static const CommandEntry<CLarkspurPage> kCommands[];

  const std::vector<std::string>& titles_;
  CColorButton nextColorButton_;
  CColorButton nowColorButton_;
  CCheckTree tree_;
  std::vector<std::string> storedFetchAccounts_;
  int autoCheck_ = 0;
  int autoStart_ = 0;
  int savePos_ = 0;
  int taskTray_ = 0;
  int topMost_ = 0;
  int doubleClick_ = -1;
  std::string nowFontName_;
  std::string nextFontName_;
  LOGFONTA nowFont_{};
  LOGFONTA nextFont_{};
  COLORREF nowColor_ = 0;
  COLORREF nextColor_ = 0;
  COLORREF customColors_[16]{};
};
