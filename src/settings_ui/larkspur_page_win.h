// The general page: start-up actions, window behaviour, the tray icon and its
// double-click action, the accounts of the fetch command, and the clock's
// fonts and colours, in the draft's general values.
#pragma once

#include <string>

#include "settings/settings_draft.h"
#include "settings_ui/check_tree_win.h"
#include "settings_ui/color_button_win.h"
#include "win/command_table.h"
#include "win/property_sheet_win.h"

class CLarkspurPage : public CPropertyPage {
 public:
  explicit CLarkspurPage(SettingsDraft& draft);

  // Input from the opener: the clock's fonts, which the font dialog starts
  // from; later the fonts last chosen.
  void SetFonts(const LOGFONTA& nowFont, const LOGFONTA& nextFont);
  const LOGFONTA& NowFont() const { return nowFont_; }
  const LOGFONTA& NextFont() const { return nextFont_; }
  // The draft has other account titles (another data root): the tree shows
  // them at once, ticked as stored, so that OK never stores the old ticks.
  void ReloadAccounts();

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
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
  void ChooseFontFor(LOGFONTA& font, std::string& face);
  void ChooseColorFor(int& color, CColorButton& button);
  static const CommandEntry<CLarkspurPage> kCommands[];

  SettingsDraft& draft_;
  CColorButton nextColorButton_;
  CColorButton nowColorButton_;
  CCheckTree tree_;
  LOGFONTA nowFont_{};
  LOGFONTA nextFont_{};
  COLORREF customColors_[16]{};
};
