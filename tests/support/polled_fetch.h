// A fetch as the client's fakes run it: it ends after a set number of polls
// that still see it running, or never.
#pragma once

class PolledFetch {
 public:
  // polls: how many polls still see it running; negative: it never ends.
  void Start(int polls) {
    running_ = true;
    pollsLeft_ = polls;
  }
  void Stop() { running_ = false; }
  // One poll; true once no fetch runs.
  bool Done() {
    if (!running_) {
      return true;
    }
    if (pollsLeft_ < 0) {
      return false;
    }
    if (pollsLeft_ > 0) {
      --pollsLeft_;
      return false;
    }
    running_ = false;
    return true;
  }

 private:
  bool running_ = false;
  int pollsLeft_ = 0;
};
