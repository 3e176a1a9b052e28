// The ".dat" data file: one complete configuration as text, one value per line, CR LF after
// every line, first line the version. Loading and saving work on values: a load fills a copy of
// `base` and returns it, so a file that cannot be read never touches the caller's record.
#pragma once

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/radio_config.h"

namespace kestrel {

// The version the writer puts on the first line.
inline constexpr std::string_view kDataFileVersion = "1.03";

// Why a data file could not be read or written, and where.
struct FileError {
  std::string file;  // the path as given; empty for text parsed in memory
  int line = 0;      // 1-based; 0 when the error is not about one line
  std::string message;

  // "config.dat, line 501: the file ends early ..." (file and line omitted when unknown).
  std::string ToString() const;
};

// A loaded file: the record and the version line as the file holds it.
struct LoadedDataFile {
  RadioConfig record;
  std::string version;
};

// Reads a data file (only a regular file: a FIFO or a device is refused with its kind). Fields
// that an older version lacks keep the values they have in `base`.
std::expected<RadioConfig, FileError> LoadDataFile(const std::filesystem::path& path,
                                                   const RadioConfig& base);
std::expected<LoadedDataFile, FileError> ReadDataFile(const std::filesystem::path& path,
                                                      const RadioConfig& base);

// Writes `record` in the current layout, as output_file.h saves files: the old file is replaced
// only once the new one is complete on the disk; on failure it stays as it was.
std::expected<void, FileError> SaveDataFile(const std::filesystem::path& path,
                                            const RadioConfig& record);

// The same on text in memory. CR LF and LF-only line ends are both read, and a leading UTF-8
// byte-order mark is skipped. A first line that is no version, and lines other than blank ones
// after the last field of the file's version, are refused: either would read every value from
// the wrong line.
std::expected<LoadedDataFile, FileError> ParseDataFile(std::string_view text,
                                                       const RadioConfig& base);
// The exact bytes of the file for `record`. A CR or LF inside a text value is written as a
// blank, because a line cannot hold it and every later line would shift.
std::string FormatDataFile(const RadioConfig& record);

}  // namespace kestrel
