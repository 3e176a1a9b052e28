// Memory images as files: exactly 20128 bytes, address 0 first. Used by the command-line tool
// and the receiver simulator to keep and exchange images.
//
// What the tool knows a receiver holds is kept in the same form, followed by what is known: the
// image (0xFF where a byte is unknown), then the line "KESTREL KNOWN 1", a bit for every address
// (set: the receiver holds that byte; address a is bit a % 8 of byte a / 8) and a bit for every
// channel slot (set: known to be empty; channel c is bit (c - 1) % 8 of byte (c - 1) / 8). Every
// reader of images takes such a file as its image.
#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "image/known_image.h"
#include "image/memory_image.h"

namespace kestrel {

// Whether a file of `size` bytes has the size of an image file, of either form; no data file is
// that short.
bool IsImageFileSize(std::uintmax_t size);

// Reads an image file. The error names the file and says what is wrong with it (cannot be
// read, or not exactly 20128 bytes long).
std::expected<MemoryImage, std::string> LoadImageFile(const std::filesystem::path& path);

// An image file, and what it says is known when it says it.
struct ImageFileContents {
  MemoryImage image;
  std::optional<KnownImage> known;
};
std::expected<ImageFileContents, std::string> LoadImageFileContents(
    const std::filesystem::path& path);

// The bytes of a file that keeps `known`.
std::string KnownImageFileBytes(const KnownImage& known);

// Writes `image` to `path` as output_file.h saves files: an existing file is replaced only once
// the new one is complete. The error names the file and the reason.
std::expected<void, std::string> SaveImageFile(const std::filesystem::path& path,
                                               const MemoryImage& image);

// The bytes of an image file, for writing it into an output of one's own.
std::string_view ImageFileBytes(const MemoryImage& image);

}  // namespace kestrel
