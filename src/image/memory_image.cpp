#include "image/memory_image.h"

namespace kestrel {

std::uint16_t MemoryImage::Word(std::size_t address) const {
  const std::size_t a = Checked(address, 2);
  return static_cast<std::uint16_t>(bytes_[a] | (bytes_[a + 1] << 8));
}

void MemoryImage::SetWord(std::size_t address, std::uint16_t value) {
  const std::size_t a = Checked(address, 2);
  bytes_[a] = static_cast<std::uint8_t>(value & 0xFF);
  bytes_[a + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint32_t MemoryImage::Long(std::size_t address) const {
  const std::size_t a = Checked(address, 4);
  return static_cast<std::uint32_t>(bytes_[a]) | (static_cast<std::uint32_t>(bytes_[a + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes_[a + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes_[a + 3]) << 24);
}

void MemoryImage::SetLong(std::size_t address, std::uint32_t value) {
  const std::size_t a = Checked(address, 4);
  for (std::size_t k = 0; k < 4; ++k) bytes_[a + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

}  // namespace kestrel
