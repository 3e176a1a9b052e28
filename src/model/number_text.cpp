#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kestrel {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t mantissa = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  bool negative_exponent = false;
  // An exponent counts only when digits follow it: "12e" reads as 12.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative_exponent = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    } else {
      negative_exponent = false;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(text.data() + mantissa, text.data() + end, value);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone when it cannot represent it.
    value = negative_exponent ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

double RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, which is round-to-nearest-even unless a
  // caller changed it; the project never does.
  return std::nearbyint(value);
}

std::string FormatFixed5(double value) {
  if (!std::isfinite(value)) return value < 0 ? "-inf" : (value > 0 ? "inf" : "nan");
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5);
  std::string text(buffer, result.ptr);
  if (text == "-0.00000") text.erase(0, 1);
  return text;
}

std::string SignReservedText(std::int64_t value) {
  std::string text = std::to_string(value);
  return value < 0 ? text : " " + text;
}

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  if (first < last && text[first] == '+') ++first;
  std::int64_t value = 0;
  const auto [ptr, ec] = std::from_chars(text.data() + first, text.data() + last, value);
  if (ec != std::errc{} || ptr != text.data() + last || first == last) return std::nullopt;
  return value;
}

}  // namespace kestrel
