#include "settings/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DecimalTextValue, ReadsOneDecimalNumberWithBlanksAround) {
  EXPECT_EQ(DecimalTextValue(" 2"), 2.0);
  EXPECT_EQ(DecimalTextValue("\t-0.5 "), -0.5);
  EXPECT_EQ(DecimalTextValue("+12"), 12.0);
  EXPECT_EQ(DecimalTextValue(".5"), 0.5);
  EXPECT_EQ(DecimalTextValue("3."), 3.0);
  EXPECT_EQ(DecimalTextValue("1.5e1"), 15.0);
  EXPECT_EQ(DecimalTextValue("25E-1"), 2.5);
}

TEST(DecimalTextValue, RefusesAnythingElse) {
  for (const char* text : {"", " ", "abc", "1a", "1 2", "--1", "+-1", ".", "e5", "1e", "1e+",
                           "0x10", "1,5", "inf", "nan", "１２"}) {
    EXPECT_FALSE(DecimalTextValue(text).has_value()) << '"' << text << '"';
  }
}

TEST(DecimalTextValue, GivesInfinityOrZeroBeyondTheRangeOfADouble) {
  EXPECT_EQ(DecimalTextValue("1e999"), HUGE_VAL);
  EXPECT_EQ(DecimalTextValue("-1e999"), -HUGE_VAL);
  const auto tiny = DecimalTextValue("1e-999");
  ASSERT_TRUE(tiny.has_value());
  EXPECT_EQ(std::floor(*tiny), 0.0);
}

}  // namespace
