// After the last account of a run the client may still open one message
// window ("メール受信" or "エラー") a little later, when the run's own checks
// are over. This thread watches for about 30 seconds and cancels the first one.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "bridge/mail_client.h"

class CFinCheckThread {
 public:
  static constexpr int kAttempts = 60;
  static constexpr int kIntervalMs = 500;

  // Starts watching at once.
  CFinCheckThread(IMailClient& client, int attempts = kAttempts, int intervalMs = kIntervalMs);
  // Stops the watch early and waits for the thread.
  ~CFinCheckThread();
  CFinCheckThread(const CFinCheckThread&) = delete;
  CFinCheckThread& operator=(const CFinCheckThread&) = delete;

  bool Finished();

 private:
  void Run(int attempts, int intervalMs);

  IMailClient& client_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool finished_ = false;
  std::thread thread_;
};
