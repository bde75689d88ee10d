// The dial-up line's connect and hang-up procedures against a scripted library.
#include "dial_up/dial_up.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Log = std::vector<std::string>;

// A library that answers as scripted, and a sleeper through which alone time
// passes, at least a millisecond a call; both log every call in one list.
struct FakeLibrary : IRasLibrary {
  std::uint32_t GetEntryDialParams(RasDialParams& params) override {
    log.push_back("entry " + params.entryName);
    params = {"", "0311112222", "0312345678", "能力ポスト", "ﾊﾟｽ表示", "ｿﾌﾄ"};
    return kRasEntryNotFound;  // no saved credentials: dialled all the same
  }
  std::uint32_t EnumConnections(std::uint32_t& count) override {
    log.push_back("enum"), count = activeCount;
    return enumResult;
  }
  std::uint32_t Dial(const RasDialParams& params, Handle& connection) override {
    dialled = params;
    connection = dialResult == 0 || handleOnFailedDial ? ++lastHandle : 0;
    log.push_back("dial " + params.entryName + " " + std::to_string(connection));
    return dialResult;
  }
  std::uint32_t GetConnectStatus(Handle connection) override {
    log.push_back("status " + std::to_string(connection));
    return pollsLeft-- > 0 ? stillThere : kRasInvalidHandle;
  }
  std::uint32_t HangUp(Handle connection) override {
    log.push_back("hangup " + std::to_string(connection)), pollsLeft = connectedPolls;
    return hangUpResult;
  }
  std::uint32_t enumResult = 0, activeCount = 0, dialResult = 0, hangUpResult = 0, stillThere = 0;
  bool handleOnFailedDial = true;
  int connectedPolls = 0;  // status answers stillThere this often after a hang-up, then gone
  RasDialParams dialled;
  Log log;
  Handle lastHandle = 0;
  int pollsLeft = 0;
};

struct FakeSleeper : ISleeper {
  explicit FakeSleeper(Log& log) : log(log) {}
  void Sleep(unsigned ms) override { log.push_back("sleep " + std::to_string(ms)), now += ms > 0 ? ms : 1; }
  std::uint64_t NowMs() override { return now; }
  Log& log;
  std::uint64_t now = 1000;
};

// A line over the fakes, connected through "表示" first when asked to.
struct Line {
  explicit Line(bool connected) {
    auto library = std::make_unique<FakeLibrary>();
    auto sleeper = std::make_unique<FakeSleeper>(library->log);
    fakes = library.get(), time = sleeper.get();
    line = std::make_unique<CDialUp>(std::move(library), std::move(sleeper));
    EXPECT_TRUE(!connected || line->Connect("表示") == 0);
    fakes->log.clear();
  }
  FakeLibrary* fakes;
  FakeSleeper* time;
  std::unique_ptr<CDialUp> line;
};

TEST(DialUp, ConnectDialsOnlyWhenNoOtherLineIsUpAndHangUpPollsOurLineUntilItIsGone) {
  constexpr int kConnect = -1000;  // Connect("表示") instead of a hang-up with this pause
  const struct {
    const char* what;
    std::function<void(FakeLibrary&)> script;
    bool connectedBefore;
    long result;
    Log calls;
    bool connectedAfter;
    int hangUpPauseMs;
  } cases[] = {
      {"dials through the entry", [](FakeLibrary&) {}, false, 0, {"enum", "entry 表示", "dial 表示 1"}, true, kConnect},
      {"an outside connection is left alone", [](FakeLibrary& f) { f.activeCount = 1; }, false, 0, {"enum"}, false,
       kConnect},
      {"several outside connections overflow the one-entry buffer",
       [](FakeLibrary& f) { f.enumResult = kRasBufferTooSmall; }, false, 0, {"enum"}, false, kConnect},
      {"a failed dial frees the port it holds", [](FakeLibrary& f) { f.dialResult = 678; }, false, 678,
       {"enum", "entry 表示", "dial 表示 1", "hangup 1", "status 1"}, false, kConnect},
      {"no library: the dial reports it, with nothing to free",
       [](FakeLibrary& f) { f.enumResult = f.dialResult = kRasNoLibrary, f.handleOnFailedDial = false; }, false, 754,
       {"enum", "entry 表示", "dial 表示 0"}, false, kConnect},
      {"our own line is hung up and rests before the next dial", [](FakeLibrary&) {}, true, 0,
       {"hangup 1", "status 1", "sleep 3000", "enum", "entry 表示", "dial 表示 2"}, true, kConnect},
      {"a new dial that fails after our line was hung up leaves none", [](FakeLibrary& f) { f.dialResult = 680; }, true,
       680, {"hangup 1", "status 1", "sleep 3000", "enum", "entry 表示", "dial 表示 2", "hangup 2", "status 2"}, false,
       kConnect},
      {"hang-up without a line of ours: nothing", [](FakeLibrary&) {}, false, 0, {}, false, 10},
      {"gone at the first poll", [](FakeLibrary&) {}, true, 0, {"hangup 1", "status 1"}, false, 0},
      {"polls with the caller's pause", [](FakeLibrary& f) { f.connectedPolls = 2; }, true, 0,
       {"hangup 1", "status 1", "sleep 10", "status 1", "sleep 10", "status 1"}, false, 10},
      {"a negative pause is no pause", [](FakeLibrary& f) { f.connectedPolls = 1; }, true, 0,
       {"hangup 1", "status 1", "sleep 0", "status 1"}, false, -5},
      {"a library without the hang-up is not polled", [](FakeLibrary& f) { f.hangUpResult = kRasNoFunction; }, true, 0,
       {"hangup 1"}, false, 0},
      {"a library without the status stops the poll",
       [](FakeLibrary& f) { f.connectedPolls = 5, f.stillThere = kRasNoFunction; }, true, 0, {"hangup 1", "status 1"},
       false, 0},
  };
  for (const auto& c : cases) {
    Line line(c.connectedBefore);
    c.script(*line.fakes);
    if (c.hangUpPauseMs != kConnect) {
      line.line->HangUp(c.hangUpPauseMs);
    } else {
      EXPECT_EQ(line.line->Connect("表示"), c.result) << c.what;
    }
    EXPECT_EQ(line.fakes->log, c.calls) << c.what;
    EXPECT_EQ(line.line->HasConnection(), c.connectedAfter) << c.what;
    // The phone book's credentials are kept, the rest is set.
    const RasDialParams& sent = line.fakes->dialled;
    if (c.connectedAfter) {
      EXPECT_EQ((Log{sent.entryName, sent.phoneNumber, sent.callbackNumber, sent.userName, sent.password, sent.domain}),
                (Log{"表示", "", "*", "能力ポスト", "ﾊﾟｽ表示", "*"})) << c.what;
    }
  }
  // A line that never goes is given up at the bound and forgotten: the next
  // Connect dials afresh.
  Line line(true);
  line.fakes->connectedPolls = 1 << 30;
  line.line->HangUp(10);
  EXPECT_GE(line.time->now, 1000 + CDialUp::kHangUpBoundMs);
  EXPECT_LT(line.time->now, 1000 + CDialUp::kHangUpBoundMs + 100);
  line.fakes->log.clear();
  line.fakes->connectedPolls = 0;
  ASSERT_EQ(line.line->Connect("表示"), 0);
  EXPECT_EQ(line.fakes->log, (Log{"enum", "entry 表示", "dial 表示 2"}));
}

}  // namespace
