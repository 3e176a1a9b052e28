// Files for one test: a fresh folder removed afterwards, and whole files read and written as
// bytes.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace kestrel::testing {

// A fresh empty folder under the system's temporary folder, removed with everything in it when
// the object goes (even when a test left it read-only).
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // The same as text, for a program's command line.
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  // The sorted names in the folder, blank-separated, to see that nothing was left behind.
  std::string Listing() const;

 private:
  std::filesystem::path path_;
};

// A whole file as bytes; "" when it cannot be read.
std::string ReadAll(const std::filesystem::path& path);
// Creates or replaces the file with exactly `bytes`.
void WriteAll(const std::filesystem::path& path, std::string_view bytes);

// Root ignores file permissions, so tests of a read-only file or folder cannot run as root.
bool IsRoot();

// Runs `write` while the files this process writes stop at 4096 bytes, so that the disk refuses
// the data half way ("File too large"; the limit holds even for root).
void WithSmallFileSizeLimit(const std::function<void()>& write);

}  // namespace kestrel::testing
