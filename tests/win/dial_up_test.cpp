// The dial-up adapter against the stand-in remote-access library: which
// library is loaded, and what reaches it in which record layout.
#include <gtest/gtest.h>

#include <windows.h>
#include <ras.h>

#include <string>
#include <vector>

#include "dial_up/dial_up.h"
#include "dial_up/dial_up_win.h"
#include "dial_up/ras_library_win.h"
#include "dial_up/ras_records.h"
#include "sample_data/sample_data.h"

namespace {

using Layout = SystemRasLibrary::Layout;

// The stand-in's journal has a line per call, "function<TAB>key=value...":
// each call as "function size", a dial followed by its entry and credentials.
// Tabs and equals signs are never trail bytes.
std::vector<std::string> ReadCalls(const std::string& path) {
  std::vector<std::string> seen;
  for (const std::string& line : sample::ReadLines(path)) {
    auto field = [&line](const std::string& key) {
      const std::size_t at = line.find("\t" + key + "=");
      const std::size_t start = at + key.size() + 2;
      return at == std::string::npos ? std::string() : line.substr(start, line.find('\t', start) - start);
    };
    seen.push_back(line.substr(0, line.find('\t')) + " " + field("size"));
    if (line.rfind("RasDialA\t", 0) == 0) {
      for (const char* key : {"entry", "phone", "callback", "domain", "user", "password"}) seen.push_back(field(key));
    }
  }
  return seen;
}

TEST(RasAdapter, EachLayoutCarriesTheEntryAndThePhoneBookCredentialsToTheStandIn) {
  HMODULE library = LoadLibraryA("rasapi32.dll");
  ASSERT_NE(GetProcAddress(library, "LarkspurRasStandIn"), nullptr) << "is WINEDLLOVERRIDES=rasapi32=n,b set?";
  FreeLibrary(library);
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string journal = std::string(temp) + "lark-ras-" + std::to_string(GetCurrentProcessId()) + ".txt";
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", journal.c_str());
  const struct {
    const char* scenario;
    Layout layout;
    const char* file;
    const char* entry;
    long code;
    std::vector<std::size_t> sizes;  // of connection, dial parameters and status; none when nothing is dialled
  } cases[] = {
      {"", Layout::kStandard, "rasapi32.dll", "表示ソフト", 0, {sizeof(RASCONNA), sizeof(RASDIALPARAMSA), sizeof(RASCONNSTATUSA)}},
      {"", Layout::kShort, "rasapi32.dll", "能力ポスト表示ｿﾌﾄ", 0,
       {sizeof(ShortRasConn), sizeof(ShortRasDialParams), sizeof(ShortRasConnStatus)}},
      // 21 bytes, one more than the short layout holds: a cut name could dial another entry.
      {"", Layout::kShort, "rasapi32.dll", "ｿﾌﾄ表示能力ポスト回線", 623, {}},
      // Two outside connections do not fit the one-entry buffer; neither is ours.
      {"outside=2", Layout::kStandard, "rasapi32.dll", "ソフト", 0, {}},
      {"", Layout::kStandard, "kernel32.dll", "表示", 755, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    DeleteFileA(journal.c_str());
    SetEnvironmentVariableA("LARKSPUR_RAS_SCENARIO", c.scenario);
    CDialUp dialUp(std::make_unique<SystemRasLibrary>(c.layout, c.file), std::make_unique<SystemSleeper>());
    EXPECT_EQ(dialUp.Connect(c.entry), c.code);
    EXPECT_EQ(dialUp.HasConnection(), !c.sizes.empty());
    dialUp.HangUp(0);
    const std::vector<std::string> seen = ReadCalls(journal);
    if (c.sizes.empty()) {
      EXPECT_LE(seen.size(), 1u) << "more than a look at the connections";
      continue;
    }
    const std::string dialSize = std::to_string(c.sizes[1]);
    EXPECT_EQ(seen, (std::vector<std::string>{"RasEnumConnectionsA " + std::to_string(c.sizes[0]), "RasGetEntryDialParamsA " + dialSize,
                                              "RasDialA " + dialSize, c.entry, "", "*", "*", "能力ポスト", "ﾊﾟｽ表示", "RasHangUpA ",
                                              "RasGetConnectStatusA " + std::to_string(c.sizes[2])}));
  }
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", nullptr);
  SetEnvironmentVariableA("LARKSPUR_RAS_SCENARIO", nullptr);
  DeleteFileA(journal.c_str());
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
