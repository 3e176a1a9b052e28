// Channel names are held as Windows-1252 bytes: exactly what the receiver and the data files
// carry. Only the user interface turns them into Unicode and back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The character a Windows-1252 byte stands for. Every byte has one: the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters with the same
// number, so any name read from a receiver survives the trip through the user interface.
char32_t Cp1252ToUnicode(std::uint8_t byte);

// The byte for a character, or nullopt when Windows-1252 cannot hold it.
std::optional<std::uint8_t> UnicodeToCp1252(char32_t character);

// Whole texts: Windows-1252 bytes to UTF-8, and UTF-8 to Windows-1252 (nullopt when a character
// cannot be held or the UTF-8 is malformed).
std::string Cp1252ToUtf8(std::string_view bytes);
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

}  // namespace kestrel
