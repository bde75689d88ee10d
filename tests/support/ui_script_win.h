// Drives modal windows of the test's own thread: steps run one after the
// other from a thread timer, so they keep running inside whatever modal loop
// (property sheet, dialog, message box) holds the thread. Each step waits,
// with a bound, for its condition; a step that times out fails the script,
// which then cancels every dialog of the thread until the test's modal call
// returns.
//
// Steps must not block: an action that opens a modal window posts its
// message, and the next step waits for that window. Windows still open a
// bound after the last step also fail the script and are cancelled.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class Script {
 public:
  explicit Script(DWORD stepBoundMs = 15000);
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // Waits until ready() holds, then runs act().
  Script& When(const std::string& what, std::function<bool()> ready, std::function<void()> act);
  // Runs act() at the next tick.
  Script& Do(const std::string& what, std::function<void()> act);
  // Waits until the modal window captioned caption is up, then runs act(window).
  Script& OnDialog(const std::string& caption, std::function<void(HWND)> act);
  // Waits until the window of the last OnDialog step is destroyed, then runs act().
  Script& AfterClose(const std::string& what, std::function<void()> act);

  // Starts the timer; call it right before the modal call under test.
  void Start();
  // Empty when every step ran in time; names the first step that did not.
  std::string Failure() const;

 private:
  struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
  };

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();
  void Fail(const std::string& failure);

  DWORD stepBoundMs_;
  std::vector<Step> steps_;
  std::shared_ptr<HWND> lastDialog_;
  std::size_t next_ = 0;
  DWORD stepStart_ = 0;
  UINT_PTR timer_ = 0;
  bool inReady_ = false;
  std::string failure_;
};

// The visible, enabled top-level window of this thread with that caption, or nullptr.
HWND FindModal(const std::string& caption);
// The same, enabled or not (a window under a modal one is disabled).
HWND FindShown(const std::string& caption);
// The enabled dialog of this thread that is none of known: the common dialog a picker opened.
HWND FindOtherModal(const std::vector<HWND>& known);
// The first non-empty static text of a message box.
std::string MessageText(HWND box);

// Click sends (the handler runs before it returns); ClickLater posts, for
// buttons that open a modal window.
void Click(HWND dialog, int id);
void ClickLater(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
std::string Text(HWND dialog, int id);
// Sets an edit's text; the edit tells its dialog (EN_CHANGE) as typing would.
void SetText(HWND dialog, int id, const std::string& text);

// Combo boxes: select the item with that text as the user would (CBN_SELCHANGE follows).
void SelectCombo(HWND dialog, int id, const std::string& text);
std::vector<std::string> ComboItems(HWND dialog, int id);
std::string ComboSelection(HWND dialog, int id);

// Property sheets: the window of page index (nullptr while not yet created),
// the active page's index, switch pages as a tab click does, press a button later.
HWND SheetPage(HWND sheet, int index);
int ActivePageIndex(HWND sheet);
void SelectPage(HWND sheet, int index);
void PressLater(HWND sheet, int button);

// Tree views: the texts of all items, depth first; select an item as the user
// would (TVN_SELCHANGED follows); click in the middle of an item's row (the
// tree gets the button messages; the mouse cursor stays where it is); select
// an item and press the space key on it.
std::vector<std::string> TreeTexts(HWND dialog, int id);
void SelectTreeItem(HWND dialog, int id, const std::string& text);
void ClickTreeItem(HWND dialog, int id, const std::string& text);
void PressSpaceOnTreeItem(HWND dialog, int id, const std::string& text);

// List views (report view): a column's texts in display order; give a row
// the focus and selection as a click would.
std::vector<std::string> ListColumn(HWND dialog, int id, int column);
void FocusListRow(HWND dialog, int id, int row);

// Paints the window and saves it as name.png under LARKSPUR_SHOTS, when set.
void Shot(HWND window, const std::string& name);

}  // namespace ui
