// Whole-file reading, shared by the data file, the image files and the settings file. Failures
// come back as a short reason ("No such file or directory"). Files are written through
// output_file.h.
#pragma once

#include <cstddef>
#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

// The bytes of the regular file at `path`. Anything else is refused with its kind ("it is a
// FIFO, not a data file", `what` naming what was expected), so that a FIFO nobody writes to or
// a device cannot hold the program up. Refuses files larger than `max_size`, so that a wrong
// path cannot exhaust memory.
std::expected<std::string, std::string> ReadFileBytes(const std::filesystem::path& path,
                                                      std::size_t max_size, std::string_view what);

// The system's text for an errno value ("No space left on device").
std::string ErrnoText(int error);

// True when a new file can be created in `folder`, found out by creating and removing one.
bool IsWritableFolder(const std::filesystem::path& folder);

}  // namespace kestrel
