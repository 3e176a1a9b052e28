#include "files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrel {

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

// Paths go to the system as they are held, so any name the file dialog offers can be opened.
std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wide_mode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wide_mode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

struct TempFile {
  std::FILE* file = nullptr;
  fs::path path;
};

// Creates a new file beside `name` in `folder` that no other writer uses ("x" refuses an
// existing file), trying a few random names.
std::expected<TempFile, std::string> CreateTempFile(const fs::path& folder, const fs::path& name) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  int error = 0;
  for (int attempt = 0; attempt < 16; ++attempt) {
    // Cut so that a long name plus the suffix still fits the system's limit of 255.
    const fs::path path =
        folder / (name.string().substr(0, 200) + ".tmp-" + std::to_string(random() % 100'000'000));
    errno = 0;
    if (std::FILE* file = OpenFile(path, "wbx")) return TempFile{file, path};
    error = errno;
    if (error != EEXIST) break;
  }
  return std::unexpected(ErrnoText(error));
}

}  // namespace

std::expected<std::string, std::string> ReadFileBytes(const fs::path& path, std::size_t max_size) {
  errno = 0;
  std::FILE* file = OpenFile(path, "rb");
  if (!file) return std::unexpected(ErrnoText(errno));
  std::string bytes;
  char buffer[65536];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (bytes.size() + count > max_size) {
      std::fclose(file);
      return std::unexpected("it is larger than " + std::to_string(max_size) + " bytes");
    }
    bytes.append(buffer, count);
  }
  const int error = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (error != 0) return std::unexpected(ErrnoText(error));
  return bytes;
}

std::expected<void, std::string> WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  fs::path target = path;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = std::move(resolved);
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  auto temp = CreateTempFile(folder, target.filename());
  if (!temp) return std::unexpected(temp.error());

  errno = 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), temp->file) == bytes.size() &&
                 FlushToDisk(temp->file);
  int error = errno;
  const fs::file_status old_status = fs::status(target, ec);
  if (written && fs::is_regular_file(old_status)) {
    fs::permissions(temp->path, old_status.permissions(), ec);  // best effort
  }
  if (std::fclose(temp->file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written) {
    fs::rename(temp->path, target, ec);
    if (!ec) return {};
    const std::string reason = ec.message();
    fs::remove(temp->path, ec);
    return std::unexpected(reason);
  }
  fs::remove(temp->path, ec);
  return std::unexpected(ErrnoText(error != 0 ? error : EIO));
}

bool IsWritableFolder(const fs::path& folder) {
  auto probe = CreateTempFile(folder, "probe");
  if (!probe) return false;
  std::fclose(probe->file);
  std::error_code ec;
  fs::remove(probe->path, ec);
  return true;
}

}  // namespace kestrel
