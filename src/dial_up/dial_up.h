// The dial-up line the runs open and close: connects through a phone-book
// entry unless some connection is already up, and hangs up only what it
// dialled itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dial_up/dialer.h"
#include "dial_up/ras_library.h"
#include "dial_up/sleeper.h"

class CDialUp : public IDialer {
 public:
  // Pause between hanging up our line and dialling again, so the modem and
  // the port are free.
  static constexpr unsigned kRedialPauseMs = 3000;
  // How long a hang-up waits for the connection to disappear.
  static constexpr std::uint64_t kHangUpBoundMs = 30000;

  CDialUp(std::unique_ptr<IRasLibrary> library, std::unique_ptr<ISleeper> sleeper);
  CDialUp(const CDialUp&) = delete;
  CDialUp& operator=(const CDialUp&) = delete;

  bool HasConnection() const override { return connection_ != 0; }
  long Connect(const std::string& entry) override;
  void HangUp(int pollSleepMs) override;

 private:
  // Hangs up connection and polls its status until it is gone or the bound
  // has passed.
  void Release(IRasLibrary::Handle connection, int pollSleepMs);

  std::unique_ptr<IRasLibrary> library_;
  std::unique_ptr<ISleeper> sleeper_;
  IRasLibrary::Handle connection_ = 0;
};
