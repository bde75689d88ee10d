#include "jobs/fin_check_thread.h"

#include <chrono>

CFinCheckThread::CFinCheckThread(IMailClient& client, int attempts, int intervalMs)
    : client_(client), thread_(&CFinCheckThread::Run, this, attempts, intervalMs) {}

CFinCheckThread::~CFinCheckThread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

bool CFinCheckThread::Finished() {
  std::lock_guard<std::mutex> lock(mutex_);
  return finished_;
}

void CFinCheckThread::Run(int attempts, int intervalMs) {
  for (int i = 0; i < attempts; ++i) {
    if (client_.DismissDialogs() != kNoClientDialog) {
      break;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::milliseconds(intervalMs), [this] { return stop_; })) {
      break;
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  finished_ = true;
}
