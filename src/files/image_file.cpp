#include "files/image_file.h"

#include <cstring>

#include "files/file_io.h"
#include "files/output_file.h"

namespace kestrel {

namespace {

// Anything much longer is not worth reading to say that it is too long.
constexpr std::size_t kMaxReadSize = 1024 * 1024;

}  // namespace

std::expected<MemoryImage, std::string> LoadImageFile(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path, kMaxReadSize, "an image file");
  if (!bytes) return std::unexpected(path.string() + ": cannot be read: " + bytes.error());
  if (bytes->size() != MemoryImage::kSize) {
    return std::unexpected(path.string() + ": an image is exactly 20128 bytes, this file has " +
                           std::to_string(bytes->size()));
  }
  MemoryImage image;
  std::memcpy(image.Bytes().data(), bytes->data(), MemoryImage::kSize);
  return image;
}

std::expected<void, std::string> SaveImageFile(const std::filesystem::path& path,
                                               const MemoryImage& image) {
  if (auto saved = SaveFile(path, ImageFileBytes(image)); !saved) {
    return std::unexpected(path.string() + ": cannot be written: " + saved.error());
  }
  return {};
}

std::string_view ImageFileBytes(const MemoryImage& image) {
  return {reinterpret_cast<const char*>(image.Bytes().data()), MemoryImage::kSize};
}

}  // namespace kestrel
