#include "image_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace kestrel::sim {

std::expected<MemoryImage, std::string> LoadImage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::unexpected(path + ": " + std::strerror(errno));
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.size() != MemoryImage::kSize) {
    return std::unexpected(path + ": " + std::to_string(bytes.size()) +
                           " bytes, a memory image has " + std::to_string(MemoryImage::kSize));
  }
  MemoryImage image;
  for (std::size_t a = 0; a < bytes.size(); ++a) {
    image.SetByte(a, static_cast<std::uint8_t>(bytes[a]));
  }
  return image;
}

std::expected<void, std::string> SaveImage(const MemoryImage& image, const std::string& path) {
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const auto bytes = image.Bytes();
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return std::unexpected(temporary + ": cannot be written");
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) return std::unexpected(path + ": " + error.message());
  return {};
}

}  // namespace kestrel::sim
