// Memory images as files: exactly 20128 bytes, address 0 first. Used by the command-line tool
// and the receiver simulator to keep and exchange images.
#pragma once

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

#include "image/memory_image.h"

namespace kestrel {

// Reads an image file. The error names the file and says what is wrong with it (cannot be
// read, or not exactly 20128 bytes long).
std::expected<MemoryImage, std::string> LoadImageFile(const std::filesystem::path& path);

// Writes `image` to `path` as output_file.h saves files: an existing file is replaced only once
// the new one is complete. The error names the file and the reason.
std::expected<void, std::string> SaveImageFile(const std::filesystem::path& path,
                                               const MemoryImage& image);

// The bytes of an image file, for writing it into an output of one's own.
std::string_view ImageFileBytes(const MemoryImage& image);

}  // namespace kestrel
