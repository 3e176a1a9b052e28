#include "files/image_file.h"

#include <cstring>

#include "files/file_io.h"
#include "files/output_file.h"
#include "files/path_text.h"

namespace kestrel {

namespace {

// Anything much longer is not worth reading to say that it is too long.
constexpr std::size_t kMaxReadSize = 1024 * 1024;

constexpr std::string_view kKnownMark = "KESTREL KNOWN 1\n";
constexpr std::size_t kKnownBits = MemoryImage::kSize / 8;
constexpr std::size_t kSlotBits = (KnownImage::kSlots + 7) / 8;
constexpr std::size_t kKnownFileSize =
    MemoryImage::kSize + kKnownMark.size() + kKnownBits + kSlotBits;

bool Bit(std::string_view bits, std::size_t n) {
  return (static_cast<unsigned char>(bits[n / 8]) >> (n % 8) & 1) != 0;
}

void SetBit(std::string& bits, std::size_t n) {
  bits[n / 8] = static_cast<char>(static_cast<unsigned char>(bits[n / 8]) | 1u << (n % 8));
}

}  // namespace

bool IsImageFileSize(std::uintmax_t size) {
  return size == MemoryImage::kSize || size == kKnownFileSize;
}

std::expected<ImageFileContents, std::string> LoadImageFileContents(
    const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path, kMaxReadSize, "an image file");
  if (!bytes) return std::unexpected(Utf8FromPath(path) + ": cannot be read: " + bytes.error());
  const std::string_view text(*bytes);
  const bool known = text.size() == kKnownFileSize &&
                     text.substr(MemoryImage::kSize, kKnownMark.size()) == kKnownMark;
  if (text.size() != MemoryImage::kSize && !known) {
    return std::unexpected(Utf8FromPath(path) +
                           ": an image is exactly 20128 bytes, this file has " +
                           std::to_string(bytes->size()));
  }
  ImageFileContents contents;
  std::memcpy(contents.image.Bytes().data(), bytes->data(), MemoryImage::kSize);
  if (known) {
    const std::string_view bits = text.substr(MemoryImage::kSize + kKnownMark.size(), kKnownBits);
    const std::string_view slots = text.substr(text.size() - kSlotBits);
    KnownImage& held = contents.known.emplace();
    for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
      if (Bit(bits, a)) held.Learn(contents.image, a, 1);
    }
    for (int c = 1; c <= KnownImage::kSlots; ++c) {
      held.SetSlotEmpty(c, Bit(slots, static_cast<std::size_t>(c - 1)));
    }
  }
  return contents;
}

std::expected<MemoryImage, std::string> LoadImageFile(const std::filesystem::path& path) {
  auto contents = LoadImageFileContents(path);
  if (!contents) return std::unexpected(std::move(contents.error()));
  return contents->image;
}

std::string KnownImageFileBytes(const KnownImage& known) {
  std::string bits(kKnownBits, '\0');
  std::string slots(kSlotBits, '\0');
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
    if (known.Known(a)) SetBit(bits, a);
  }
  for (int c = 1; c <= KnownImage::kSlots; ++c) {
    if (known.SlotEmpty(c)) SetBit(slots, static_cast<std::size_t>(c - 1));
  }
  return std::string(ImageFileBytes(known.bytes())) + std::string(kKnownMark) + bits + slots;
}

std::expected<void, std::string> SaveImageFile(const std::filesystem::path& path,
                                               const MemoryImage& image) {
  if (auto saved = SaveFile(path, ImageFileBytes(image)); !saved) {
    return std::unexpected(Utf8FromPath(path) + ": cannot be written: " + saved.error());
  }
  return {};
}

std::string_view ImageFileBytes(const MemoryImage& image) {
  return {reinterpret_cast<const char*>(image.Bytes().data()), MemoryImage::kSize};
}

}  // namespace kestrel
