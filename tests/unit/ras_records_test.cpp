// The dial parameters in the library's short layout: fields cut on character
// boundaries, never past their terminator, and an entry name refused rather than cut.
#include "dial_up/ras_records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<std::string> Fields(const RasDialParams& p) {
  return {p.entryName, p.phoneNumber, p.callbackNumber, p.userName, p.password, p.domain};
}

TEST(RasRecords, DialParamsSurviveTheShortLayoutOrAreCutOnCharacterBoundaries) {
  const struct {
    RasDialParams in, out;
  } cases[] = {
      {{"表示ｿﾌﾄ", "03-1234-5678", "*", "能力ポスト", "ﾊﾟｽ\\表", "*"}, {}},
      // ス would straddle the domain's 15 bytes.
      {{"", "", std::string(60, '9'), std::string(255, 'a') + "表", "", "ｿﾌﾄｿ表示能力ポスト"},
       {"", "", std::string(48, '9'), std::string(255, 'a'), "", "ｿﾌﾄｿ表示能力ポ"}},
  };
  for (const auto& c : cases) {
    ShortRasDialParams record;
    std::memset(&record, 0x7F, sizeof record);
    ASSERT_TRUE(ras_records::PackDialParams(c.in, record));
    EXPECT_EQ(record.dwSize, sizeof record);
    EXPECT_EQ(Fields(ras_records::UnpackDialParams(record)), Fields(c.out.domain.empty() ? c.in : c.out));
  }
  // An entry name of 20 bytes fits, ten double-byte characters too; one more does not.
  for (const char* name : {"12345678901234567890", "表示能力ポストソフト", "123456789012345678901", "表示能力ポストソフト回"}) {
    ShortRasDialParams record;
    EXPECT_EQ(ras_records::PackDialParams({name, "", "", "", "", ""}, record), std::strlen(name) <= 20) << name;
  }
  // A field filled to its end is read no further.
  ShortRasDialParams full{};
  std::memset(full.szDomain, 'x', sizeof full.szDomain);
  std::memset(full.szUserName, 'u', sizeof full.szUserName);
  const RasDialParams read = ras_records::UnpackDialParams(full);
  EXPECT_EQ(read.domain + read.userName,
            std::string(sizeof full.szDomain, 'x') + std::string(sizeof full.szUserName, 'u'));
}

}  // namespace
