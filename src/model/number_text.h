// Number <-> text helpers shared by every layer. All of them are locale-independent: the decimal
// point is always ".", whatever the user's language settings say.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The longest leading part of `text` that reads as a decimal number (after leading blanks and
// tabs: an optional sign, digits with an optional "." and fraction, an optional exponent).
// Text that does not start with a number reads as 0; a number too large for a double reads as
// plus or minus infinity.
double LeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// `value` with exactly five decimals, as the pattern "0.00000" shows it ("145.00000").
std::string FormatFixed5(double value);

// Decimal text with one leading character reserved for the sign: " 5", "-1", " 0".
std::string SignReservedText(std::int64_t value);

// Reads a whole decimal number surrounded by optional blanks (" 9664 ", "-1 "); nullopt for any
// other text, including a fraction or a number outside the 64-bit range.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);

}  // namespace kestrel
