// The clock part of the main window. The current time and the next run are
// painted by the window itself, each in its own font and colour, into the
// rectangle of a hidden control that holds the text; the two weekdays show in
// their own controls in the dialog's font.
#pragma once

#include <windows.h>

#include <string>

#include "app/clock_texts.h"
#include "schedule/local_time.h"

class CClockFace {
 public:
  CClockFace() = default;
  ~CClockFace();
  CClockFace(const CClockFace&) = delete;
  CClockFace& operator=(const CClockFace&) = delete;

  void Attach(HWND dialog) { dialog_ = dialog; }

  // Fonts as large as the text's drawing area, six characters across it.
  void MakeNowFont(const std::string& face);
  void MakeNextFont(const std::string& face);
  void SetColors(COLORREF now, COLORREF next);

  // What the fonts and colours are, for the settings to start from.
  LOGFONTA NowLogFont() const { return LogFontOf(nowFont_); }
  LOGFONTA NextLogFont() const { return LogFontOf(nextFont_); }
  COLORREF NowColor() const { return nowColor_; }
  COLORREF NextColor() const { return nextColor_; }

  // Set the texts and redraw the window at once.
  void ShowNow(const LocalTime& now);
  void ShowNextRun(const NextRunTexts& texts);

  // Draws the two time texts into their rectangles.
  void Paint(HDC dc) const;

 private:
  void MakeFont(HFONT& font, int controlId, int weight, const std::string& face);
  static LOGFONTA LogFontOf(HFONT font);
  void DrawTime(HDC dc, int controlId, HFONT font, COLORREF color) const;
  void Redraw() const;

  HWND dialog_ = nullptr;
  HFONT nowFont_ = nullptr;
  HFONT nextFont_ = nullptr;
  COLORREF nowColor_ = 0;
  COLORREF nextColor_ = 0;
};
