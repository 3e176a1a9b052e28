// The receiver's command frames as pure functions: the frame around a command text, the
// checksums of frames and replies, and hexadecimal text.
//
// Frame: SOH, command text (code, 4 hex digits of address, data as hex pairs), 2 hex digits of
// checksum, CR. The checksum is the low 8 bits of the sum of the command text's character codes,
// inverted. A data reply is SOH, code, data, checksum, CR, its checksum taken over code and data.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrel::link {

inline constexpr char kSoh = 0x01;
inline constexpr char kAck = 0x06;
inline constexpr char kCr = 0x0D;
inline constexpr char kCan = 0x18;

inline constexpr std::string_view kWriteByteCode = "11";
inline constexpr std::string_view kReadByteCode = "12";
inline constexpr std::string_view kWriteBlockCode = "13";
inline constexpr std::string_view kReadBlockCode = "14";

inline constexpr std::size_t kByteReplyLength = 8;    // SOH "12" hh cc CR
inline constexpr std::size_t kBlockReplyLength = 38;  // SOH "14" 16 x hh cc CR

// Sum of the character codes, low 8 bits, XOR 0xFF.
std::uint8_t Checksum(std::string_view text);

// Upper-case hex digits, zero-padded.
std::string HexByte(std::uint8_t value);
std::string HexWord(std::uint16_t value);
// Two hex digits of either case; nullopt for anything else.
std::optional<std::uint8_t> ParseHexByte(std::string_view two_digits);

// SOH + text + checksum + CR.
std::string BuildFrame(std::string_view command_text);

// Command texts of the four memory commands.
std::string ReadByteText(std::uint16_t address);
std::string ReadBlockText(std::uint16_t address);
std::string WriteByteText(std::uint16_t address, std::uint8_t value);
std::string WriteBlockText(std::uint16_t address, std::span<const std::uint8_t, 16> data);

// True when the reply line (SOH, code, data, checksum, CR) carries the checksum of the characters
// from its second to its fourth-last.
bool ReplyChecksumOk(std::string_view reply);

}  // namespace kestrel::link
