// The program's icon in the notification area, and the rule that keeps the
// main window hidden behind it until the user asks for the window.
#pragma once

#include <windows.h>

#include <string>

class CTrayIcon {
 public:
  // Adds the icon; on success the window is from now on kept hidden. False,
  // with nothing changed, when the icon could not be added (also when it is
  // there already).
  bool Install(HWND owner, HICON icon);
  // Deletes the icon and lifts the hiding; the system's answer.
  bool Remove(HWND owner);

  bool Present() const { return present_; }
  bool KeptHidden() const { return present_ && keptHidden_; }
  void SetKeptHidden(bool hidden) { keptHidden_ = hidden; }

  // The tip the icon shows, cut to what the record holds; false when the icon
  // is not there.
  bool SetTip(HWND owner, const std::string& tip) const;
  // Shows a balloon from the icon with the program's name as its title, a
  // warning sign when warning; false when the icon is not there or the shell
  // takes no balloons.
  bool ShowBalloon(HWND owner, const std::string& text, bool warning) const;

  // Takes the showing out of a position change while the window is kept hidden.
  void FilterPositionChange(WINDOWPOS& change) const;

 private:
  bool present_ = false;
  bool keptHidden_ = false;
};
