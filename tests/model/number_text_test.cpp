#include <gtest/gtest.h>

#include <cmath>

#include "model/frequency_text.h"
#include "model/number_text.h"

namespace kestrel {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
  const std::pair<const char*, double> rows[] = {
      {"6030000", 6030000}, {"  118.5MHz", 118.5}, {"-5", -5},    {"+7", 7}, {".5", 0.5}, {"5.", 5},
      {"1e3", 1000},        {"12e", 12},           {"1.2.3", 1.2}};
  for (const auto& [text, number] : rows) EXPECT_EQ(LeadingNumber(text), number) << text;
  for (const char* text : {"", "abc", "-", ".", "1e-999"}) EXPECT_EQ(LeadingNumber(text), 0.0);
  EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
}

TEST(NumberText, RoundingFormattingAndWholeNumbers) {
  for (const auto& [x, rounded] : {std::pair{2.5, 2.0}, {3.5, 4.0}, {-2.5, -2.0}, {2.4, 2.0}}) {
    EXPECT_EQ(RoundHalfEven(x), rounded) << x;
  }
  EXPECT_EQ(FormatFixed5(145.0), "145.00000");
  EXPECT_EQ(FormatFixed5(-0.0), "0.00000");
  EXPECT_EQ(SignReservedText(1) + SignReservedText(0) + SignReservedText(-1), " 1 0-1");
  for (const auto& [text, number] : {std::pair{" 9664 ", 9664}, {"-1 ", -1}, {"   3", 3}}) {
    EXPECT_EQ(ParseWholeNumber(text), number) << text;
  }
  for (const char* text : {"", "  ", "1.5", "12a", "99999999999999999999"}) {
    EXPECT_EQ(ParseWholeNumber(text), std::nullopt) << text;
  }
}

TEST(FrequencyText, HzTruncatesToTenHertzAndMhzIsClampedToTheReceiversRange) {
  const std::pair<const char*, const char*> mhz[] = {
      {"145000000", "145.00000"}, {"6030000", "6.03000"},
      {"6030005", "6.03000"},     {"123456789", "123.45678"},
      {"118008334", "118.00833"}, {"0", "0.00000"},
      {"abc", "0.00000"},         {"", ""},
      {"-150", "-0.00015"},       {"19.5", "0.00002"}};  // 19.5 rounds to 20 (half to even): 2 tens
  for (const auto& [hz, text] : mhz) EXPECT_EQ(HzToMhzText(hz), text) << hz;
  for (const char* text : {"-5", "0.05", "abc"}) EXPECT_EQ(ClampMhzText(text), "0.10000") << text;
  for (const char* text : {"1300", "1299.9951"}) EXPECT_EQ(ClampMhzText(text), "1299.99500");
  EXPECT_EQ(ClampMhzText("430.0125"), "430.01250");
  EXPECT_EQ(ClampMhzText("7"), "7.00000");
  EXPECT_EQ(ClampMhzText(""), "");
  // The numbers the rules read: a stored Hz text rounded as the receiver gets it, an MHz entry not.
  EXPECT_EQ(HzOfText(" 146520000.5 Hz"), 146520000);
  EXPECT_EQ(HzOfText(""), 0);
  EXPECT_DOUBLE_EQ(EntryHz("146.5200005"), 146520000.5);
  EXPECT_EQ(EntryHz("x"), 0);
}

}  // namespace
}  // namespace kestrel
