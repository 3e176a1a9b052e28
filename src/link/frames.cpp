#include "link/frames.h"

namespace kestrel::link {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::optional<std::uint8_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

}  // namespace

std::uint8_t Checksum(std::string_view text) {
  unsigned sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  return static_cast<std::uint8_t>((sum & 0xFF) ^ 0xFF);
}

std::string HexByte(std::uint8_t value) {
  return {kHexDigits[value >> 4], kHexDigits[value & 0x0F]};
}

std::string HexWord(std::uint16_t value) {
  return HexByte(static_cast<std::uint8_t>(value >> 8)) +
         HexByte(static_cast<std::uint8_t>(value & 0xFF));
}

std::optional<std::uint8_t> ParseHexByte(std::string_view two_digits) {
  if (two_digits.size() != 2) return std::nullopt;
  const auto high = HexDigit(two_digits[0]);
  const auto low = HexDigit(two_digits[1]);
  if (!high || !low) return std::nullopt;
  return static_cast<std::uint8_t>(*high << 4 | *low);
}

std::string BuildFrame(std::string_view command_text) {
  std::string frame;
  frame.reserve(command_text.size() + 4);
  frame += kSoh;
  frame += command_text;
  frame += HexByte(Checksum(command_text));
  frame += kCr;
  return frame;
}

std::string ReadByteText(std::uint16_t address) {
  return std::string(kReadByteCode) + HexWord(address);
}

std::string ReadBlockText(std::uint16_t address) {
  return std::string(kReadBlockCode) + HexWord(address);
}

std::string WriteByteText(std::uint16_t address, std::uint8_t value) {
  return std::string(kWriteByteCode) + HexWord(address) + HexByte(value);
}

std::string WriteBlockText(std::uint16_t address, std::span<const std::uint8_t, 16> data) {
  std::string text = std::string(kWriteBlockCode) + HexWord(address);
  for (std::uint8_t b : data) text += HexByte(b);
  return text;
}

bool ReplyChecksumOk(std::string_view reply) {
  // Checksum digits at the third- and second-last places, the summed text between the first
  // character and them. Shorter lines hold no checksum to compare.
  const std::size_t n = reply.size();
  if (n < 3) return false;
  const auto expected = ParseHexByte(reply.substr(n - 3, 2));
  if (!expected) return false;
  const std::string_view summed = n > 4 ? reply.substr(1, n - 4) : std::string_view();
  return Checksum(summed) == *expected;
}

}  // namespace kestrel::link
