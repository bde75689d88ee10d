// The dial-up line against the stand-in remote-access library: what reaches
// the library, in which order and in which record layout.
#include <gtest/gtest.h>

#include <windows.h>
#include <ras.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dial_up/dial_up_win.h"
#include "dial_up/ras_library_win.h"
#include "support/e2e_win.h"

namespace {

constexpr const char* kJournalVariable = "LARKSPUR_RAS_JOURNAL";
constexpr const char* kScenarioVariable = "LARKSPUR_RAS_SCENARIO";

// One line of the stand-in's journal.
struct Call {
  std::string function;
  std::map<std::string, std::string> fields;

  std::string Field(const std::string& key) const {
    const auto found = fields.find(key);
    return found == fields.end() ? std::string("(none)") : found->second;
  }
  unsigned long long Number(const std::string& key) const {
    return std::strtoull(Field(key).c_str(), nullptr, 10);
  }
};

std::vector<std::string> Functions(const std::vector<Call>& calls) {
  std::vector<std::string> names;
  for (const Call& call : calls) {
    names.push_back(call.function);
  }
  return names;
}

class StandInRasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    journal_ = std::string(temp) + "lark-ras-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(journal_.c_str());
    SetEnvironmentVariableA(kJournalVariable, journal_.c_str());
    SetEnvironmentVariableA(kScenarioVariable, nullptr);
  }

  void TearDown() override {
    SetEnvironmentVariableA(kJournalVariable, nullptr);
    SetEnvironmentVariableA(kScenarioVariable, nullptr);
    DeleteFileA(journal_.c_str());
  }

  static void Scenario(const char* words) { SetEnvironmentVariableA(kScenarioVariable, words); }

  std::vector<Call> Journal() const {
    std::vector<Call> calls;
    std::ifstream file(journal_, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
      Call call;
      std::size_t start = 0;
      for (bool first = true; start <= line.size(); first = false) {
        std::size_t end = line.find('\t', start);
        if (end == std::string::npos) {
          end = line.size();
        }
        const std::string piece = line.substr(start, end - start);
        const std::size_t equals = piece.find('=');
        if (first) {
          call.function = piece;
        } else if (equals != std::string::npos) {
          call.fields[piece.substr(0, equals)] = piece.substr(equals + 1);
        }
        start = end + 1;
      }
      calls.push_back(call);
    }
    return calls;
  }

  std::string journal_;
};

using Names = std::vector<std::string>;

TEST_F(StandInRasTest, TheStandInIsTheLibraryLoadedAndNeverSitsBesideTheProgram) {
  HMODULE library = LoadLibraryA("rasapi32.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_NE(GetProcAddress(library, "LarkspurRasStandIn"), nullptr)
      << "Wine's own rasapi32 was loaded: is WINEDLLOVERRIDES=rasapi32=n,b set?";
  FreeLibrary(library);

  const std::string besideProgram = e2e::BinDir() + "\\..\\rasapi32.dll";
  EXPECT_EQ(GetFileAttributesA(besideProgram.c_str()), INVALID_FILE_ATTRIBUTES) << besideProgram;
}

TEST_F(StandInRasTest, ConnectDialsTheEntryWithTheCallbackAndDomainStarsAndThePhoneBookCredentials) {
  const auto dialUp = CreateSystemDialUp();
  ASSERT_EQ(dialUp->Connect("表示ソフト"), 0);
  EXPECT_TRUE(dialUp->HasConnection());

  const auto calls = Journal();
  ASSERT_EQ(Functions(calls), (Names{"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA"}));
  EXPECT_EQ(calls[0].Number("size"), sizeof(RASCONNA));
  EXPECT_EQ(calls[0].Number("bytes"), sizeof(RASCONNA));
  EXPECT_EQ(calls[1].Field("entry"), "表示ソフト");
  EXPECT_EQ(calls[1].Field("phonebook"), "");
  EXPECT_EQ(calls[1].Number("size"), sizeof(RASDIALPARAMSA));

  const Call& dial = calls[2];
  EXPECT_EQ(dial.Number("size"), sizeof(RASDIALPARAMSA));
  EXPECT_EQ(dial.Field("entry"), "表示ソフト");
  EXPECT_EQ(dial.Field("phone"), "");
  EXPECT_EQ(dial.Field("callback"), "*");
  EXPECT_EQ(dial.Field("domain"), "*");
  EXPECT_EQ(dial.Field("user"), "能力ポスト");
  EXPECT_EQ(dial.Field("password"), "ﾊﾟｽ表示");
  EXPECT_EQ(dial.Field("phonebook"), "");
  EXPECT_EQ(dial.Field("extensions"), "0");
  EXPECT_EQ(dial.Field("notifier"), "0");
  dialUp->HangUp(0);
}

TEST_F(StandInRasTest, HangUpPollsTheStatusOfOurConnectionUntilItIsGone) {
  Scenario("polls=3");
  const auto dialUp = CreateSystemDialUp();
  ASSERT_EQ(dialUp->Connect("ポスト"), 0);
  const std::string handle = Journal().back().Field("handle");

  dialUp->HangUp(10);
  EXPECT_FALSE(dialUp->HasConnection());
  auto calls = Journal();
  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls[3].function, "RasHangUpA");
  EXPECT_EQ(calls[3].Field("handle"), handle);
  const char* const statusResults[] = {"0", "0", "0", "6"};
  for (std::size_t i = 0; i < 4; ++i) {
    const Call& poll = calls[4 + i];
    EXPECT_EQ(poll.function, "RasGetConnectStatusA") << i;
    EXPECT_EQ(poll.Field("handle"), handle) << i;
    EXPECT_EQ(poll.Number("size"), sizeof(RASCONNSTATUSA)) << i;
    EXPECT_EQ(poll.Field("result"), statusResults[i]) << i;
  }

  // Nothing left to hang up.
  dialUp->HangUp(0);
  EXPECT_EQ(Journal().size(), calls.size());
}

TEST_F(StandInRasTest, ASecondConnectHangsUpOursAndPausesBeforeDiallingAgain) {
  const auto dialUp = CreateSystemDialUp();
  ASSERT_EQ(dialUp->Connect("能力"), 0);
  ASSERT_EQ(dialUp->Connect("能力"), 0);
  EXPECT_TRUE(dialUp->HasConnection());

  const auto calls = Journal();
  ASSERT_EQ(Functions(calls),
            (Names{"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA", "RasHangUpA",
                   "RasGetConnectStatusA", "RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA"}));
  EXPECT_EQ(calls[3].Field("handle"), calls[2].Field("handle"));
  EXPECT_EQ(calls[4].Field("result"), "6");
  EXPECT_NE(calls[7].Field("handle"), calls[2].Field("handle"));
  EXPECT_GE(calls[5].Number("ms") - calls[4].Number("ms"), 2900u) << "no pause before dialling again";
  dialUp->HangUp(0);
}

TEST_F(StandInRasTest, AFailedDialGivesItsCodeFreesThePortAndLeavesNoConnection) {
  Scenario("dial=678");
  const auto dialUp = CreateSystemDialUp();
  EXPECT_EQ(dialUp->Connect("表示"), 678);
  EXPECT_FALSE(dialUp->HasConnection());

  auto calls = Journal();
  ASSERT_EQ(Functions(calls), (Names{"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA",
                                     "RasHangUpA", "RasGetConnectStatusA"}));
  EXPECT_EQ(calls[3].Field("handle"), calls[2].Field("handle"));
  EXPECT_EQ(calls[4].Field("result"), "6");

  dialUp->HangUp(0);
  EXPECT_EQ(Journal().size(), calls.size());
}

TEST_F(StandInRasTest, AnOutsideConnectionIsLeftAlone) {
  // Two outside connections do not fit the one-entry buffer.
  for (const char* scenario : {"outside=1", "outside=2"}) {
    SCOPED_TRACE(scenario);
    DeleteFileA(journal_.c_str());
    Scenario(scenario);
    const auto dialUp = CreateSystemDialUp();
    EXPECT_EQ(dialUp->Connect("ソフト"), 0);
    EXPECT_FALSE(dialUp->HasConnection());
    dialUp->HangUp(0);
    EXPECT_EQ(Functions(Journal()), (Names{"RasEnumConnectionsA"}));
  }
}

TEST_F(StandInRasTest, TheShortLayoutCarriesTheSameFieldsAndRefusesAnEntryItCannotHold) {
  CDialUp dialUp(std::make_unique<SystemRasLibrary>(SystemRasLibrary::Layout::kShort),
                 std::make_unique<SystemSleeper>());

  // 21 bytes, one more than the short layout holds: a cut name could dial
  // another entry.
  EXPECT_EQ(dialUp.Connect("ｿﾌﾄ表示能力ポスト回線"), 623);
  EXPECT_EQ(Functions(Journal()), (Names{"RasEnumConnectionsA"}));
  DeleteFileA(journal_.c_str());

  ASSERT_EQ(dialUp.Connect("能力ポスト表示ｿﾌﾄ"), 0);
  dialUp.HangUp(0);
  const auto calls = Journal();
  ASSERT_EQ(Functions(calls), (Names{"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA",
                                     "RasHangUpA", "RasGetConnectStatusA"}));
  EXPECT_EQ(calls[0].Number("size"), sizeof(ShortRasConn));
  EXPECT_EQ(calls[0].Number("bytes"), sizeof(ShortRasConn));
  EXPECT_EQ(calls[1].Number("size"), sizeof(ShortRasDialParams));
  EXPECT_EQ(calls[1].Field("entry"), "能力ポスト表示ｿﾌﾄ");
  const Call& dial = calls[2];
  EXPECT_EQ(dial.Number("size"), sizeof(ShortRasDialParams));
  EXPECT_EQ(dial.Field("entry"), "能力ポスト表示ｿﾌﾄ");
  EXPECT_EQ(dial.Field("phone"), "");
  EXPECT_EQ(dial.Field("callback"), "*");
  EXPECT_EQ(dial.Field("user"), "能力ポスト");
  EXPECT_EQ(dial.Field("password"), "ﾊﾟｽ表示");
  EXPECT_EQ(dial.Field("domain"), "*");
  EXPECT_EQ(calls[4].Number("size"), sizeof(ShortRasConnStatus));
}

TEST_F(StandInRasTest, ALibraryWithoutTheFunctionsGives755) {
  CDialUp dialUp(std::make_unique<SystemRasLibrary>(SystemRasLibrary::Layout::kStandard, "kernel32.dll"),
                 std::make_unique<SystemSleeper>());
  EXPECT_EQ(dialUp.Connect("表示"), 755);
  EXPECT_FALSE(dialUp.HasConnection());
  dialUp.HangUp(0);
}

// Wine reads the overrides from the environment the process starts with, so
// CTest runs this case on its own with rasapi32 disabled.
TEST(DISABLED_WithoutRasLibrary, ConnectGives754AndNothingElseFails) {
  ASSERT_EQ(LoadLibraryA("rasapi32.dll"), nullptr) << "rasapi32 was not disabled for this process";
  const auto dialUp = CreateSystemDialUp();
  EXPECT_EQ(dialUp->Connect("表示"), 754);
  EXPECT_FALSE(dialUp->HasConnection());
  dialUp->HangUp(0);
}

}  // namespace
