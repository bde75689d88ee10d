#include "text/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, AcceptsDigitsWithBlanksAround) {
  const struct {
    const char* text;
    std::uint32_t value;
  } cases[] = {{"0", 0}, {"15", 15}, {" 60 ", 60}, {"\t7", 7}, {"007", 7}, {"4294967295", 4294967295u}};
  for (const auto& c : cases) {
    std::uint32_t value = 99;
    EXPECT_TRUE(ParseUnsigned(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(NumberText, RefusesAnythingElseAndLeavesTheValue) {
  // "１５" is full-width; "1 5" has a blank inside; the last is one past the top.
  for (const char* text : {"", " ", "-1", "+1", "1.5", "1,000", "1 5", "15秒", "１５", "0x10", "4294967296",
                           "99999999999999999999"}) {
    std::uint32_t value = 42;
    EXPECT_FALSE(ParseUnsigned(text, value)) << text;
    EXPECT_EQ(value, 42u) << text;
  }
}

}  // namespace
