// What the tool knows a receiver's memory holds: the bytes a read covered and the bytes of every
// write command the receiver acknowledged, each with the value it holds; every other byte is
// unknown. Beside the bytes, which channel slots are known to be empty: a read reads only the
// slots its channel bitmap marks in use, so the bitmap as read is what says a slot is empty.
#pragma once

#include <bitset>
#include <cstddef>

#include "image/memory_image.h"

namespace kestrel {

class KnownImage {
 public:
  static constexpr int kSlots = 1000;

  // Nothing known; an unknown byte reads 0xFF, as a read leaves it.
  KnownImage() { bytes_.Fill(0xFF); }

  // The receiver holds `from`'s bytes first to first + count - 1.
  void Learn(const MemoryImage& from, std::size_t first, std::size_t count);
  // Whatever the receiver holds there, it is no longer known.
  void Forget(std::size_t first, std::size_t count);
  // Whether every byte first to first + count - 1 is known and equal to `image`'s.
  bool Holds(const MemoryImage& image, std::size_t first, std::size_t count) const;

  bool Known(std::size_t address) const { return known_[address]; }
  bool AnyKnown() const { return known_.any(); }
  const MemoryImage& bytes() const { return bytes_; }

  // Channel `number` (1 to 1000) is known to be empty on the receiver.
  bool SlotEmpty(int number) const { return empty_slots_[static_cast<std::size_t>(number - 1)]; }
  void SetSlotEmpty(int number, bool empty) {
    empty_slots_[static_cast<std::size_t>(number - 1)] = empty;
  }

  bool operator==(const KnownImage&) const = default;

 private:
  MemoryImage bytes_;
  std::bitset<MemoryImage::kSize> known_;
  std::bitset<kSlots> empty_slots_;
};

}  // namespace kestrel
