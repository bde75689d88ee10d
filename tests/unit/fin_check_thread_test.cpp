// The watch for a message window that opens after a run, on real time.
#include "jobs/fin_check_thread.h"

#include <gtest/gtest.h>

#include "support/job_fakes.h"

namespace {

TEST(FinCheckThread, CancelsTheFirstLateWindowOnlyAndEndsAfterItsAttempts) {
  for (const bool late : {true, false}) {
    FakeClient client;
    if (late) client.QueueDialog(kMailReceivedDialog);
    CFinCheckThread watch(client, 3, 1);
    ASSERT_TRUE(WaitUntil([&] { return watch.Finished(); }, 5000)) << late;
    client.QueueDialog(kErrorDialog);
    EXPECT_EQ(client.DismissDialogs(), kErrorDialog) << late;
    EXPECT_EQ(client.JournalOf("Dismiss").size(), late ? 2u : 1u) << late;
  }
}

}  // namespace
