// Reading and writing 20128-byte memory image files.
#pragma once

#include <expected>
#include <string>

#include "image/memory_image.h"

namespace kestrel::sim {

std::expected<MemoryImage, std::string> LoadImage(const std::string& path);
// Writes through a temporary file and a rename, so a reader never sees half an image.
std::expected<void, std::string> SaveImage(const MemoryImage& image, const std::string& path);

}  // namespace kestrel::sim
