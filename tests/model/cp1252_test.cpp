#include "model/cp1252.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(Cp1252, EveryByteSurvivesTheTripThroughUnicode) {
  for (int b = 0; b < 256; ++b) {
    const char32_t c = Cp1252ToUnicode(static_cast<std::uint8_t>(b));
    EXPECT_EQ(UnicodeToCp1252(c), b) << b;
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, KnownCharactersAndRefusals) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x7F\x80"), "\x7F\xE2\x82\xAC");  // the last one-byte character
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x98\x83"), std::nullopt);  // snowman: not in the code page
  EXPECT_EQ(Utf8ToCp1252("\xCE\xA9"), std::nullopt);      // Greek capital omega
  EXPECT_EQ(Utf8ToCp1252("\xC3"), std::nullopt);          // cut-off sequence
  EXPECT_EQ(UnicodeToCp1252(0x0100), std::nullopt);
}

}  // namespace
}  // namespace kestrel
