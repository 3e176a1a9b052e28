#include "image/known_image.h"

namespace kestrel {

void KnownImage::Learn(const MemoryImage& from, std::size_t first, std::size_t count) {
  for (std::size_t a = first; a < first + count; ++a) {
    bytes_.SetByte(a, from.Byte(a));
    known_.set(a);
  }
}

void KnownImage::Forget(std::size_t first, std::size_t count) {
  for (std::size_t a = first; a < first + count; ++a) {
    bytes_.SetByte(a, 0xFF);
    known_.reset(a);
  }
}

bool KnownImage::Holds(const MemoryImage& image, std::size_t first, std::size_t count) const {
  for (std::size_t a = first; a < first + count; ++a) {
    if (!known_[a] || bytes_.Byte(a) != image.Byte(a)) return false;
  }
  return true;
}

}  // namespace kestrel
