// The watch for a message window that opens after a run: it runs on real
// time, so the tests wait for it with a bound instead of a fixed sleep.
#include "jobs/fin_check_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/job_fakes.h"

namespace {

bool WaitForEnd(CFinCheckThread& watch) {
  for (int i = 0; i < 500 && !watch.Finished(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return watch.Finished();
}

TEST(FinCheckThread, CancelsTheFirstLateWindowOnlyThenEnds) {
  FakeClient client;
  client.QueueDialog(kMailReceivedDialog);
  client.QueueDialog(kErrorDialog);
  CFinCheckThread watch(client, 60, 1);
  ASSERT_TRUE(WaitForEnd(watch));
  EXPECT_EQ(client.JournalOf("Dismiss"), std::vector<std::string>{"Dismiss(received)"});
}

TEST(FinCheckThread, GivesUpAfterItsAttemptsAndLeavesLaterWindowsAlone) {
  FakeClient client;
  CFinCheckThread watch(client, 3, 1);
  ASSERT_TRUE(WaitForEnd(watch));
  client.QueueDialog(kErrorDialog);
  EXPECT_EQ(client.DismissDialogs(), kErrorDialog);
}

}  // namespace
