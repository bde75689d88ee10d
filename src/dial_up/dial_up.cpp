#include "dial_up/dial_up.h"

#include <utility>

namespace {

// Our own answers mean the library cannot tell anything more: stop asking.
bool IsOwnResult(std::uint32_t result) { return result == kRasNoLibrary || result == kRasNoFunction; }

}  // namespace

CDialUp::CDialUp(std::unique_ptr<IRasLibrary> library, std::unique_ptr<ISleeper> sleeper)
    : library_(std::move(library)), sleeper_(std::move(sleeper)) {}

long CDialUp::Connect(const std::string& entry) {
  if (connection_ != 0) {
    HangUp(0);
    sleeper_->Sleep(kRedialPauseMs);
  }

  std::uint32_t active = 0;
  const std::uint32_t listed = library_->EnumConnections(active);
  // Room for one entry is too small when several connections are up.
  if (active != 0 || listed == kRasBufferTooSmall) {
    return 0;
  }

  RasDialParams params;
  params.entryName = entry;
  // An entry without saved credentials still dials, so the answer is not checked.
  library_->GetEntryDialParams(params);
  params.entryName = entry;
  params.phoneNumber.clear();
  params.callbackNumber = "*";
  params.domain = "*";

  IRasLibrary::Handle dialled = 0;
  const std::uint32_t result = library_->Dial(params, dialled);
  if (result == 0) {
    connection_ = dialled;
    return 0;
  }
  // A failed dial can still hold the port; free it for the retry.
  if (dialled != 0) {
    Release(dialled, 0);
  }
  return static_cast<long>(result);
}

void CDialUp::HangUp(int pollSleepMs) {
  if (connection_ == 0) {
    return;
  }
  Release(connection_, pollSleepMs);
  connection_ = 0;
}

void CDialUp::Release(IRasLibrary::Handle connection, int pollSleepMs) {
  if (IsOwnResult(library_->HangUp(connection))) {
    return;
  }
  const unsigned pause = pollSleepMs > 0 ? static_cast<unsigned>(pollSleepMs) : 0;
  const std::uint64_t start = sleeper_->NowMs();
  for (;;) {
    const std::uint32_t status = library_->GetConnectStatus(connection);
    if (status == kRasInvalidHandle || IsOwnResult(status)) {
      return;
    }
    if (sleeper_->NowMs() - start >= kHangUpBoundMs) {
      return;
    }
    sleeper_->Sleep(pause);
  }
}
