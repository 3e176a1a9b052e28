// A fresh folder for one test's files, and small helpers to read and write them whole.
#pragma once

#include <filesystem>
#include <string>

namespace kestrel::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // Names of the files in the folder, to see that no temporary file was left behind.
  std::string Listing() const;

 private:
  std::filesystem::path path_;
};

std::string ReadAll(const std::filesystem::path& path);
void WriteAll(const std::filesystem::path& path, const std::string& bytes);

// True when the process ignores file permissions (root), so a read-only folder can't be tested.
bool IgnoresPermissions();

}  // namespace kestrel::testing
