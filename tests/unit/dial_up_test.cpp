#include "dial_up/dial_up.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A scripted library that logs every call, with the sleeps, in one list.
class FakeRasLibrary : public IRasLibrary {
 public:
  explicit FakeRasLibrary(Log& log) : log_(log) {}

  std::uint32_t enumResult = 0;
  std::uint32_t activeCount = 0;
  std::uint32_t entryResult = 0;
  std::uint32_t dialResult = 0;
  bool handleOnFailedDial = true;
  std::uint32_t hangUpResult = 0;
  // Status answers after a hang-up: `connectedPolls` times stillThere, then gone.
  int connectedPolls = 0;
  std::uint32_t stillThere = 0;
  std::uint32_t gone = kRasInvalidHandle;
  RasDialParams dialled;

  std::uint32_t GetEntryDialParams(RasDialParams& params) override {
    log_.push_back("entry " + params.entryName);
    params.entryName.clear();
    params.phoneNumber = "0311112222";
    params.callbackNumber = "0312345678";
    params.userName = "能力ポスト";
    params.password = "ﾊﾟｽ表示";
    params.domain = "ｿﾌﾄ";
    return entryResult;
  }
  std::uint32_t EnumConnections(std::uint32_t& count) override {
    log_.push_back("enum");
    count = activeCount;
    return enumResult;
  }
  std::uint32_t Dial(const RasDialParams& params, Handle& connection) override {
    dialled = params;
    connection = dialResult == 0 || handleOnFailedDial ? ++lastHandle_ : 0;
    log_.push_back("dial " + params.entryName + " " + std::to_string(connection));
    return dialResult;
  }
  std::uint32_t GetConnectStatus(Handle connection) override {
    log_.push_back("status " + std::to_string(connection));
    if (pollsLeft_ > 0) {
      --pollsLeft_;
      return stillThere;
    }
    return gone;
  }
  std::uint32_t HangUp(Handle connection) override {
    log_.push_back("hangup " + std::to_string(connection));
    pollsLeft_ = connectedPolls;
    return hangUpResult;
  }

 private:
  Log& log_;
  Handle lastHandle_ = 0;
  int pollsLeft_ = 0;
};

// Time passes only by sleeping; a call takes at least a millisecond.
class FakeSleeper : public ISleeper {
 public:
  explicit FakeSleeper(Log& log) : log_(log) {}
  void Sleep(unsigned milliseconds) override {
    log_.push_back("sleep " + std::to_string(milliseconds));
    now_ += milliseconds > 0 ? milliseconds : 1;
  }
  std::uint64_t NowMs() override { return now_; }

 private:
  Log& log_;
  std::uint64_t now_ = 1000;
};

// A dial-up line over the fakes.
struct Rig {
  Rig() {
    auto fakeLibrary = std::make_unique<FakeRasLibrary>(log);
    auto fakeSleeper = std::make_unique<FakeSleeper>(log);
    library = fakeLibrary.get();
    sleeper = fakeSleeper.get();
    dialUp = std::make_unique<CDialUp>(std::move(fakeLibrary), std::move(fakeSleeper));
  }

  Log log;
  FakeRasLibrary* library;
  FakeSleeper* sleeper;
  std::unique_ptr<CDialUp> dialUp;
};

struct ConnectCase {
  const char* what;
  std::function<void(FakeRasLibrary&)> script;
  bool connectedBefore;
  long result;
  Log calls;
  bool connectedAfter;
};

TEST(DialUp, ConnectFollowsTheProcedure) {
  const ConnectCase cases[] = {
      {"dials through the entry", [](FakeRasLibrary&) {}, false, 0,
       {"enum", "entry 表示", "dial 表示 1"}, true},
      {"an answer without saved credentials still dials",
       [](FakeRasLibrary& l) { l.entryResult = 623; }, false, 0,
       {"enum", "entry 表示", "dial 表示 1"}, true},
      {"an outside connection is left alone", [](FakeRasLibrary& l) { l.activeCount = 1; }, false, 0,
       {"enum"}, false},
      {"several outside connections overflow the one-entry buffer",
       [](FakeRasLibrary& l) { l.enumResult = kRasBufferTooSmall; }, false, 0, {"enum"}, false},
      {"a failed dial frees the port it holds", [](FakeRasLibrary& l) { l.dialResult = 678; }, false,
       678, {"enum", "entry 表示", "dial 表示 1", "hangup 1", "status 1"}, false},
      {"a failed dial without a handle has nothing to free",
       [](FakeRasLibrary& l) {
         l.dialResult = 678;
         l.handleOnFailedDial = false;
       },
       false, 678, {"enum", "entry 表示", "dial 表示 0"}, false},
      {"no library: the dial reports it",
       [](FakeRasLibrary& l) {
         l.enumResult = l.entryResult = l.dialResult = kRasNoLibrary;
         l.handleOnFailedDial = false;
       },
       false, 754, {"enum", "entry 表示", "dial 表示 0"}, false},
      {"our own line is hung up and rests before the next dial", [](FakeRasLibrary&) {}, true, 0,
       {"hangup 1", "status 1", "sleep 3000", "enum", "entry 表示", "dial 表示 2"}, true},
      {"a new dial that fails after our line was hung up leaves none",
       [](FakeRasLibrary& l) { l.dialResult = 680; }, true, 680,
       {"hangup 1", "status 1", "sleep 3000", "enum", "entry 表示", "dial 表示 2", "hangup 2",
        "status 2"},
       false},
  };
  for (const ConnectCase& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    if (c.connectedBefore) {
      ASSERT_EQ(rig.dialUp->Connect("表示"), 0);
      rig.log.clear();
    }
    c.script(*rig.library);
    EXPECT_EQ(rig.dialUp->Connect("表示"), c.result);
    EXPECT_EQ(rig.log, c.calls);
    EXPECT_EQ(rig.dialUp->HasConnection(), c.connectedAfter);
  }
}

TEST(DialUp, TheDialKeepsThePhoneBookCredentialsAndSetsTheRest) {
  Rig rig;
  ASSERT_EQ(rig.dialUp->Connect("能力ポスト"), 0);
  const RasDialParams& sent = rig.library->dialled;
  EXPECT_EQ(sent.entryName, "能力ポスト");
  EXPECT_EQ(sent.phoneNumber, "");
  EXPECT_EQ(sent.callbackNumber, "*");
  EXPECT_EQ(sent.domain, "*");
  EXPECT_EQ(sent.userName, "能力ポスト");
  EXPECT_EQ(sent.password, "ﾊﾟｽ表示");
}

TEST(DialUp, HangUpPollsUntilTheConnectionIsGone) {
  struct Case {
    const char* what;
    int pollSleepMs;
    std::function<void(FakeRasLibrary&)> script;
    Log calls;
  } const cases[] = {
      {"gone at the first poll", 0, [](FakeRasLibrary&) {}, {"hangup 1", "status 1"}},
      {"polls with the caller's pause", 10, [](FakeRasLibrary& l) { l.connectedPolls = 2; },
       {"hangup 1", "status 1", "sleep 10", "status 1", "sleep 10", "status 1"}},
      {"a negative pause is no pause", -5, [](FakeRasLibrary& l) { l.connectedPolls = 1; },
       {"hangup 1", "status 1", "sleep 0", "status 1"}},
      {"a library without the hang-up is not polled", 0,
       [](FakeRasLibrary& l) { l.hangUpResult = kRasNoFunction; }, {"hangup 1"}},
      {"a library without the status stops the poll", 0,
       [](FakeRasLibrary& l) {
         l.connectedPolls = 5;
         l.stillThere = kRasNoFunction;
       },
       {"hangup 1", "status 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    ASSERT_EQ(rig.dialUp->Connect("ソフト"), 0);
    rig.log.clear();
    c.script(*rig.library);
    rig.dialUp->HangUp(c.pollSleepMs);
    EXPECT_EQ(rig.log, c.calls);
    EXPECT_FALSE(rig.dialUp->HasConnection());
  }
}

TEST(DialUp, HangUpGivesUpOnAConnectionThatNeverGoesAndForgetsIt) {
  Rig rig;
  ASSERT_EQ(rig.dialUp->Connect("表示"), 0);
  rig.library->connectedPolls = 1 << 30;
  const std::uint64_t start = rig.sleeper->NowMs();
  rig.dialUp->HangUp(10);
  const std::uint64_t waited = rig.sleeper->NowMs() - start;
  EXPECT_GE(waited, CDialUp::kHangUpBoundMs);
  EXPECT_LT(waited, CDialUp::kHangUpBoundMs + 100);
  EXPECT_FALSE(rig.dialUp->HasConnection());

  // The next Connect dials afresh instead of hanging up again.
  rig.log.clear();
  rig.library->connectedPolls = 0;
  ASSERT_EQ(rig.dialUp->Connect("表示"), 0);
  EXPECT_EQ(rig.log, (Log{"enum", "entry 表示", "dial 表示 2"}));
}

TEST(DialUp, WithoutAConnectionOfOursHangUpTouchesNothing) {
  Rig rig;
  rig.dialUp->HangUp(10);
  EXPECT_TRUE(rig.log.empty());
  rig.library->activeCount = 1;
  ASSERT_EQ(rig.dialUp->Connect("表示"), 0);
  rig.log.clear();
  rig.dialUp->HangUp(10);
  EXPECT_TRUE(rig.log.empty());
}

}  // namespace
