// Whole-file reading and crash-safe replacement of a file, shared by the data file and the
// settings file. Failures come back as a short reason ("No such file or directory").
#pragma once

#include <cstddef>
#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

// The bytes of the file at `path`. Refuses files larger than `max_size`, so that a wrong path
// (a device, a huge file) cannot exhaust memory.
std::expected<std::string, std::string> ReadFileBytes(const std::filesystem::path& path,
                                                      std::size_t max_size);

// Replaces the file at `path` with `bytes`: writes a temporary file in the same folder, flushes
// it to the disk and renames it over the target, so the old file stays whole until the new one
// is complete. A symbolic link is followed, and an existing file's permissions are kept.
std::expected<void, std::string> WriteFileAtomically(const std::filesystem::path& path,
                                                     std::string_view bytes);

// True when a new file can be created in `folder`, found out by creating and removing one.
bool IsWritableFolder(const std::filesystem::path& folder);

}  // namespace kestrel
