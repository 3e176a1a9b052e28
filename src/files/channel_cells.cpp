#include "files/channel_cells.h"

#include <charconv>
#include <cmath>

#include "model/channel.h"
#include "model/channel_rules.h"
#include "model/display_texts.h"
#include "model/frequency_text.h"
#include "model/number_text.h"

namespace kestrel::cells {

namespace {

constexpr std::size_t kShownLength = 40;  // characters of a cell a message quotes
constexpr std::int64_t kHzPerMhz = 1000000;

}  // namespace

bool IsPlainDecimal(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto digits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return !(whole.empty() && fraction.empty()) && digits(whole) && digits(fraction);
}

std::optional<double> PlainNumber(std::string_view text) {
  if (!IsPlainDecimal(text)) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t extra = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, c = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, c = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, c = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  if (pos + extra >= text.size()) return std::nullopt;
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if ((byte & 0xC0u) != 0x80u) return std::nullopt;
    c = (c << 6) | (byte & 0x3Fu);
  }
  const bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
  if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return std::nullopt;
  pos += extra + 1;
  return c;
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string Shown(std::string_view text) {
  std::string shown;
  std::size_t pos = 0;
  for (std::size_t count = 0; pos < text.size(); ++count) {
    if (count == kShownLength) return shown + "...";
    const std::size_t start = pos;
    const std::optional<char32_t> c = NextCharacter(text, pos);
    if (!c || IsControl(*c)) {
      if (!c) pos = start + 1;
      shown += '?';
    } else {
      shown += text.substr(start, pos - start);
    }
  }
  return shown;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted += Shown(text);
  quoted += '"';
  return quoted;
}

std::optional<int> NumberPosition(ValueTable table, std::string_view text) {
  const std::optional<double> value = PlainNumber(text);
  if (!value) return std::nullopt;
  for (std::size_t p = 1; p < table.size(); ++p) {
    if (std::fabs(LeadingNumber(table[p]) - *value) < 1e-6) return static_cast<int>(p);
  }
  return std::nullopt;
}

std::optional<int> WordPosition(ValueTable table, std::string_view text) {
  for (std::size_t p = 0; p < table.size(); ++p) {
    if (SameWord(table[p], text)) return static_cast<int>(p);
  }
  return std::nullopt;
}

std::optional<std::int64_t> ParseMhz(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (!IsPlainDecimal(text)) return std::nullopt;
  const std::string_view significant =
      whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  if (significant.size() > 12) return std::nullopt;
  std::int64_t hz = 0;
  for (char c : significant) hz = hz * 10 + (c - '0');
  std::int64_t part = 0;
  for (std::size_t i = 0; i < 6; ++i)
    part = part * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  if (fraction.size() > 6 && fraction[6] >= '5') ++part;
  return hz * kHzPerMhz + part;
}

std::string MhzOfHz(std::int64_t hz) {
  const bool negative = hz < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(hz) : static_cast<std::uint64_t>(hz);
  std::string fraction = std::to_string(magnitude % kHzPerMhz + kHzPerMhz).substr(1);
  while (fraction.size() > 5 && fraction.back() == '0') fraction.pop_back();
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / kHzPerMhz);
  text += '.';
  text += fraction;
  return text;
}

std::string ExactMhzText(std::string_view hz_text) {
  if (hz_text.empty()) return {};
  if (const std::optional<std::int64_t> hz = ParseWholeNumber(hz_text)) return MhzOfHz(*hz);
  const double hz = HzOfText(hz_text);
  if (!std::isfinite(hz) || std::fabs(hz) > 9.0e15) return std::string(TrimBlanks(hz_text));
  return MhzOfHz(static_cast<std::int64_t>(hz));
}

std::string ExactText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool IsStoredAviation(std::int64_t hz) {
  const std::int64_t offset = hz % 25000;
  return offset == 8334 || offset == 16667;
}

bool FitsStep(std::int64_t hz, int mode, int step) {
  const auto as_entered = static_cast<double>(hz);
  const std::optional<int> derived = DeriveStep(as_entered, mode);
  if (!derived && !IsStoredAviation(hz)) return false;
  switch (step) {
    case kAutoStep:
      return true;
    case kAviationStep:
      return derived == kAviationStep || IsStoredAviation(hz);
    case kBroadcastStep:
      return mode == PositionOf(ChannelMode::kAm) && hz >= 522000 && hz <= 1611000 &&
             hz % 9000 == 0;
    default: {
      const auto step_hz = static_cast<std::int64_t>(
          std::lround(LeadingNumber(TableEntry(kStepTable, step)) * 1000));
      return step_hz > 0 && hz % step_hz == 0;
    }
  }
}

}  // namespace kestrel::cells
