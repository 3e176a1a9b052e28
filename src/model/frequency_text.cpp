#include "model/frequency_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "model/number_text.h"

namespace kestrel {

double HzOfText(std::string_view hz) {
  return RoundHalfEven(LeadingNumber(hz));
}

double EntryHz(std::string_view mhz) {
  return LeadingNumber(mhz) * 1000000.0;
}

std::string HzToMhzText(std::string_view hz) {
  if (hz.empty()) return {};
  const double rounded = HzOfText(hz);
  if (!std::isfinite(rounded)) return {};
  // Whole numbers of Hz that fit 64 bits are formatted exactly; anything larger can only come
  // from a damaged file and is shown through floating point.
  if (std::fabs(rounded) < 9.0e18) {
    const std::int64_t tens = static_cast<std::int64_t>(rounded) / 10;
    const std::int64_t whole = tens / 100000;
    const std::int64_t fraction = std::llabs(tens % 100000);
    std::string digits = std::to_string(fraction);
    digits.insert(0, 5 - digits.size(), '0');
    const std::string sign = (tens < 0 && whole == 0) ? "-" : "";
    return sign + std::to_string(whole) + "." + digits;
  }
  return FormatFixed5(std::trunc(rounded / 10) / 100000);
}

std::string ExactMhzText(std::string_view hz) {
  if (hz.empty()) return {};
  const double rounded = HzOfText(hz);
  if (!std::isfinite(rounded) || std::fabs(rounded) >= 9.0e18) return HzToMhzText(hz);
  const auto whole_hz = static_cast<std::int64_t>(rounded);
  std::string digits = std::to_string(std::llabs(whole_hz % 1000000));
  digits.insert(0, 6 - digits.size(), '0');
  const std::string sign = (whole_hz < 0 && whole_hz > -1000000) ? "-" : "";
  return sign + std::to_string(whole_hz / 1000000) + "." + digits;
}

std::string ClampMhzText(std::string_view mhz) {
  if (mhz.empty()) return {};
  return FormatFixed5(std::clamp(LeadingNumber(mhz), kLowestMhz, kHighestMhz));
}

}  // namespace kestrel
