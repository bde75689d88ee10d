// The dial-up connection a run opens and closes, behind an interface so the
// jobs can be tested with a fake line.
#pragma once

#include <string>

class IDialer {
 public:
  virtual ~IDialer() = default;

  // True while this program holds a connection it dialled.
  virtual bool HasConnection() const = 0;
  // Connects through the phone-book entry: a connection of ours is hung up
  // first (then a pause of 3 s); when any connection is already active nothing
  // is dialled. 0 when connected or left alone, else the error code (754: no
  // remote-access library, 755: a function missing from it).
  virtual long Connect(const std::string& entry) = 0;
  // Hangs up our connection and waits, with a bound, until it is gone; the
  // status is polled every pollSleepMs.
  virtual void HangUp(int pollSleepMs) = 0;
};
