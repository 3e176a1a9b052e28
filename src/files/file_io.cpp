#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "files/output_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrel {

namespace fs = std::filesystem;

namespace {

std::string KindOf(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory:
      return "a folder";
    case fs::file_type::fifo:
      return "a FIFO";
    case fs::file_type::character:
      return "a character device";
    case fs::file_type::block:
      return "a block device";
    case fs::file_type::socket:
      return "a socket";
    default:
      return "not a regular file";
  }
}

#ifdef _WIN32
int OpenForReading(const fs::path& path) {
  return _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
}
bool IsOpenRegularFile(int fd) {
  struct _stat64 opened {};
  return _fstat64(fd, &opened) == 0 && (opened.st_mode & _S_IFMT) == _S_IFREG;
}
long long ReadSome(int fd, char* buffer, unsigned size) {
  return _read(fd, buffer, size);
}
void CloseFile(int fd) {
  _close(fd);
}
#else
// Without blocking, in case the path was swapped for a FIFO after it was looked at.
int OpenForReading(const fs::path& path) {
  return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
bool IsOpenRegularFile(int fd) {
  struct stat opened {};
  return fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
}
long long ReadSome(int fd, char* buffer, unsigned size) {
  return read(fd, buffer, size);
}
void CloseFile(int fd) {
  close(fd);
}
#endif

}  // namespace

std::expected<std::string, std::string> ReadFileBytes(const fs::path& path, std::size_t max_size,
                                                      std::string_view what) {
  // Looked at before it is opened: opening some devices has effects of its own.
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec) return std::unexpected(ec.message());
  if (status.type() != fs::file_type::regular) {
    return std::unexpected("it is " + KindOf(status.type()) + ", not " + std::string(what));
  }
  const int fd = OpenForReading(path);
  if (fd < 0) return std::unexpected(ErrnoText(errno));
  if (!IsOpenRegularFile(fd)) {
    CloseFile(fd);
    return std::unexpected("it is not a regular file");
  }
  std::string bytes;
  char buffer[65536];
  int error = 0;
  for (;;) {
    const long long count = ReadSome(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    if (bytes.size() + static_cast<std::size_t>(count) > max_size) {
      CloseFile(fd);
      return std::unexpected("it is larger than " + std::to_string(max_size) + " bytes");
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  CloseFile(fd);
  if (error != 0) return std::unexpected(ErrnoText(error));
  return bytes;
}

std::string ErrnoText(int error) {
  return std::generic_category().message(error);
}

bool IsWritableFolder(const fs::path& folder) {
  return OutputFile::Open(folder / ".kestrel-write-test").has_value();
}

}  // namespace kestrel
