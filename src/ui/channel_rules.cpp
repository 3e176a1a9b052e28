#include "ui/channel_rules.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "model/number_text.h"

namespace kestrel::ui {

namespace {

constexpr int kAmMode = 3;
constexpr int kStep5 = 1, kStep625 = 2, kStep833 = 3, kStep9 = 4;
constexpr std::int64_t kBlock = 25000;  // the 8.33 kHz raster repeats every 25 kHz
constexpr std::int64_t kAviationStep = 8333;

// Fifteen significant digits: the entry's own decimals survive, the binary noise of "x 1e6"
// does not, and frequencies in the receiver's range never need an exponent.
std::string PlainDecimalText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<int> DeriveStep(double hz, int mode) {
  if (!std::isfinite(hz) || std::fabs(hz) > 9.0e18) return std::nullopt;
  const auto n = static_cast<std::int64_t>(RoundHalfEven(hz));
  const std::int64_t r = n % kBlock;
  int step = 0;
  if (mode == kAmMode && hz >= 522000 && hz <= 1611000 && n % 9000 == 0) step = kStep9;
  if (r == 0) step = kStep833;
  if (step == 0 && r % 8330 == 0) step = kStep833;
  if (step == 0 && n % 6250 == 0) step = kStep625;
  if (step == 0 && n % 5000 == 0) step = kStep5;
  if (step == 0) return std::nullopt;
  return step;
}

std::string StoredFrequencyText(double hz, int step) {
  std::string text = PlainDecimalText(hz);
  if (step != kStep833 || !std::isfinite(hz) || std::fabs(hz) > 9.0e18) return text;
  const auto n = static_cast<std::int64_t>(RoundHalfEven(hz));
  const std::int64_t base = n / kBlock * kBlock;
  if (hz > static_cast<double>(base)) {
    const auto k = static_cast<std::int64_t>(
        RoundHalfEven(static_cast<double>(n % kBlock) / static_cast<double>(kAviationStep)));
    if (k > 0) text = std::to_string(base + k * kAviationStep + 1);
  }
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace kestrel::ui
