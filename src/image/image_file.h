// Memory images as files: exactly 20128 bytes, address 0 first. Used by the command-line tool
// and the receiver simulator to keep and exchange images.
#pragma once

#include <expected>
#include <string>

#include "image/memory_image.h"

namespace kestrel {

// Reads an image file. The error names the file and says what is wrong with it (cannot be
// opened, or not exactly 20128 bytes long).
std::expected<MemoryImage, std::string> LoadImageFile(const std::string& path);

// Writes `image` to `path`. An existing file is replaced only once the new one is complete;
// on failure it stays as it was. The error names the file and the reason.
std::expected<void, std::string> SaveImageFile(const std::string& path, const MemoryImage& image);

}  // namespace kestrel
