#include <gtest/gtest.h>

#include <cmath>

#include "model/frequency_text.h"
#include "model/number_text.h"

namespace kestrel {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
  EXPECT_EQ(LeadingNumber("6030000"), 6030000.0);
  EXPECT_EQ(LeadingNumber("  118.5MHz"), 118.5);
  EXPECT_EQ(LeadingNumber("-5"), -5.0);
  EXPECT_EQ(LeadingNumber("+7"), 7.0);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("5."), 5.0);
  EXPECT_EQ(LeadingNumber("1e3"), 1000.0);
  EXPECT_EQ(LeadingNumber("12e"), 12.0);
  EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber("."), 0.0);
  EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
  EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
}

TEST(NumberText, RoundingFormattingAndWholeNumbers) {
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(3.5), 4.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(2.4), 2.0);
  EXPECT_EQ(FormatFixed5(145.0), "145.00000");
  EXPECT_EQ(FormatFixed5(-0.0), "0.00000");
  EXPECT_EQ(SignReservedText(1), " 1");
  EXPECT_EQ(SignReservedText(0), " 0");
  EXPECT_EQ(SignReservedText(-1), "-1");
  EXPECT_EQ(ParseWholeNumber(" 9664 "), 9664);
  EXPECT_EQ(ParseWholeNumber("-1 "), -1);
  EXPECT_EQ(ParseWholeNumber("   3"), 3);
  EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("  "), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("1.5"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("12a"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("99999999999999999999"), std::nullopt);
}

TEST(HzToMhzText, TruncatesToTenHertz) {
  EXPECT_EQ(HzToMhzText("145000000"), "145.00000");
  EXPECT_EQ(HzToMhzText("6030000"), "6.03000");
  EXPECT_EQ(HzToMhzText("6030005"), "6.03000");
  EXPECT_EQ(HzToMhzText("123456789"), "123.45678");
  EXPECT_EQ(HzToMhzText("118008334"), "118.00833");
  EXPECT_EQ(HzToMhzText("0"), "0.00000");
  EXPECT_EQ(HzToMhzText(""), "");
  EXPECT_EQ(HzToMhzText("abc"), "0.00000");
  EXPECT_EQ(HzToMhzText("19.5"), "0.00002");  // 19.5 rounds to 20 (half to even), then 2 tens
  EXPECT_EQ(HzToMhzText("-150"), "-0.00015");
}

TEST(ClampMhzText, LimitsToTheReceiversRange) {
  EXPECT_EQ(ClampMhzText("1299.9951"), "1299.99500");
  EXPECT_EQ(ClampMhzText("1300"), "1299.99500");
  EXPECT_EQ(ClampMhzText("-5"), "0.10000");
  EXPECT_EQ(ClampMhzText("0.05"), "0.10000");
  EXPECT_EQ(ClampMhzText("abc"), "0.10000");
  EXPECT_EQ(ClampMhzText("430.0125"), "430.01250");
  EXPECT_EQ(ClampMhzText("7"), "7.00000");
  EXPECT_EQ(ClampMhzText(""), "");
}

}  // namespace
}  // namespace kestrel
