// The tool's copy of the receiver's configuration memory: 20128 bytes, addresses 0x0000 to
// 0x4E9F, multi-byte numbers little-endian. One image lives beside the record for the whole run:
// bytes the encoder does not produce keep what the last read left there.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <span>

namespace kestrel {

class MemoryImage {
 public:
  static constexpr std::size_t kSize = 20128;

  MemoryImage() { bytes_.fill(0); }

  std::uint8_t Byte(std::size_t address) const { return bytes_[Checked(address, 1)]; }
  void SetByte(std::size_t address, std::uint8_t value) { bytes_[Checked(address, 1)] = value; }

  std::uint16_t Word(std::size_t address) const;
  void SetWord(std::size_t address, std::uint16_t value);

  std::uint32_t Long(std::size_t address) const;
  void SetLong(std::size_t address, std::uint32_t value);

  void Fill(std::uint8_t value) { bytes_.fill(value); }

  std::span<std::uint8_t, kSize> Bytes() { return bytes_; }
  std::span<const std::uint8_t, kSize> Bytes() const { return bytes_; }

  bool operator==(const MemoryImage&) const = default;

 private:
  static std::size_t Checked(std::size_t address, std::size_t length) {
    assert(address + length <= kSize);
    (void)length;
    return address;
  }

  std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace kestrel
