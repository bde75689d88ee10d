#include "dial_up/ras_records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(RasRecords, DialParamsSurviveTheShortLayoutFieldForField) {
  RasDialParams params;
  params.entryName = "表示ｿﾌﾄ";
  params.phoneNumber = "03-1234-5678";
  params.callbackNumber = "*";
  params.userName = "能力ポスト";
  params.password = "ﾊﾟｽ\\表";
  params.domain = "*";

  ShortRasDialParams record;
  std::memset(&record, 0x7F, sizeof record);
  ASSERT_TRUE(ras_records::PackDialParams(params, record));
  EXPECT_EQ(record.dwSize, sizeof record);
  const RasDialParams back = ras_records::UnpackDialParams(record);
  EXPECT_EQ(back.entryName, params.entryName);
  EXPECT_EQ(back.phoneNumber, params.phoneNumber);
  EXPECT_EQ(back.callbackNumber, params.callbackNumber);
  EXPECT_EQ(back.userName, params.userName);
  EXPECT_EQ(back.password, params.password);
  EXPECT_EQ(back.domain, params.domain);
}

TEST(RasRecords, AnEntryNameThatDoesNotFitIsRefusedRatherThanCut) {
  struct Case {
    const char* name;
    bool fits;
  } const cases[] = {
      {"", true},
      {"12345678901234567890", true},            // 20 bytes, the field's limit
      {"123456789012345678901", false},
      {"表示能力ポストソフト", true},            // ten double-byte characters
      {"表示能力ポストソフト回", false},
  };
  for (const Case& c : cases) {
    RasDialParams params;
    params.entryName = c.name;
    ShortRasDialParams record;
    EXPECT_EQ(ras_records::PackDialParams(params, record), c.fits) << c.name;
  }
}

TEST(RasRecords, LongTextsAreCutOnCharacterBoundariesAndKeepTheirTerminator) {
  RasDialParams params;
  params.domain = "ｿﾌﾄｿ表示能力ポスト";  // ス would straddle the 15-byte limit
  params.userName = std::string(255, 'a') + "表";
  params.callbackNumber = std::string(60, '9');
  ShortRasDialParams record;
  ASSERT_TRUE(ras_records::PackDialParams(params, record));
  const RasDialParams back = ras_records::UnpackDialParams(record);
  EXPECT_EQ(back.domain, "ｿﾌﾄｿ表示能力ポ");
  EXPECT_EQ(back.userName, std::string(255, 'a'));
  EXPECT_EQ(back.callbackNumber, std::string(48, '9'));
}

TEST(RasRecords, AFieldFilledToTheEndIsReadNoFurther) {
  ShortRasDialParams record{};
  std::memset(record.szDomain, 'x', sizeof record.szDomain);
  std::memset(record.szUserName, 'u', sizeof record.szUserName);
  const RasDialParams params = ras_records::UnpackDialParams(record);
  EXPECT_EQ(params.domain, std::string(sizeof record.szDomain, 'x'));
  EXPECT_EQ(params.userName, std::string(sizeof record.szUserName, 'u'));
}

}  // namespace
