#include "image/image_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace kestrel {

namespace {

std::string Reason() {
  return errno != 0 ? std::strerror(errno) : "unknown error";
}

}  // namespace

std::expected<MemoryImage, std::string> LoadImageFile(const std::string& path) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::unexpected(path + ": cannot open: " + Reason());
  // One byte more than an image holds is enough to tell that the file is too long.
  std::vector<char> bytes(MemoryImage::kSize + 1);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::unexpected(path + ": cannot read: " + Reason());
  const auto length = static_cast<std::size_t>(in.gcount());
  if (length != MemoryImage::kSize) {
    const std::string size =
        length > MemoryImage::kSize ? "more than 20128" : std::to_string(length);
    return std::unexpected(path + ": an image is exactly 20128 bytes, this file has " + size);
  }
  MemoryImage image;
  std::memcpy(image.Bytes().data(), bytes.data(), MemoryImage::kSize);
  return image;
}

std::expected<void, std::string> SaveImageFile(const std::string& path, const MemoryImage& image) {
  // Written beside the target and renamed over it, so a failed write never leaves half an image.
  const std::string temporary = path + ".part";
  errno = 0;
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) return std::unexpected(path + ": cannot create: " + Reason());
  out.write(reinterpret_cast<const char*>(image.Bytes().data()),
            static_cast<std::streamsize>(MemoryImage::kSize));
  out.close();
  std::error_code ignored;  // cleaning up must not hide why the save failed
  if (!out) {
    const std::string reason = Reason();
    std::filesystem::remove(temporary, ignored);
    return std::unexpected(path + ": cannot write: " + reason);
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, ignored);
    return std::unexpected(path + ": cannot replace: " + error.message());
  }
  return {};
}

}  // namespace kestrel
