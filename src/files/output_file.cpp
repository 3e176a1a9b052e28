#include "files/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <system_error>
#include <utility>

#include "files/file_io.h"
#include "files/path_text.h"
#include "files/temporary_files.h"
#include "files/windows_names.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kestrel {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
int OpenNew(const fs::path& path) {
  return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int OpenExisting(const fs::path& path) {
  return _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
}
// FlushFileBuffers, through the C library's descriptor.
int SyncFile(int fd) {
  return _commit(fd);
}
long long WriteSome(int fd, const char* bytes, unsigned size) {
  return _write(fd, bytes, size);
}
int CloseFile(int fd) {
  return _close(fd);
}

constexpr std::string_view kHeldOpen = "another program has it open: close it there and save again";
constexpr std::string_view kReadOnly = "it is read-only";

bool IsReadOnly(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// A program that opened the file without letting others delete it (most editors and
// spreadsheets do) keeps a save from replacing it.
bool IsHeldOpen(const fs::path& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(file);
  return false;
}

std::string WindowsErrorText(DWORD error, const fs::path& target) {
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
    return std::string(kHeldOpen);
  }
  if (error == ERROR_ACCESS_DENIED && IsReadOnly(target)) return std::string(kReadOnly);
  std::string text = std::system_category().message(static_cast<int>(error));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

// What keeps a save from replacing the existing file `target`, found out before anything is
// written.
std::expected<void, std::string> CheckReplaceable(const fs::path& target) {
  if (IsReadOnly(target)) return std::unexpected(std::string(kReadOnly));
  if (IsHeldOpen(target)) return std::unexpected(std::string(kHeldOpen));
  return {};
}

// Written through to the disk, so that the new name is there once this returns.
std::expected<void, std::string> PutInPlace(const fs::path& temporary, const fs::path& target) {
  if (MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return std::unexpected(WindowsErrorText(GetLastError(), target));
}
#else
int OpenNew(const fs::path& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}
// Without blocking: a FIFO that no program reads from is refused at once instead of waiting.
int OpenExisting(const fs::path& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}
#ifdef __APPLE__
// fsync on macOS leaves the data in the drive's cache; F_FULLFSYNC asks the drive to write it.
// Some file systems (network shares) do not take it, and fsync is the best they offer.
int SyncFile(int fd) {
  if (fcntl(fd, F_FULLFSYNC) == 0) return 0;
  return fsync(fd);
}
#else
int SyncFile(int fd) {
  return fsync(fd);
}
#endif
long long WriteSome(int fd, const char* bytes, unsigned size) {
  return ::write(fd, bytes, size);
}
int CloseFile(int fd) {
  return ::close(fd);
}
// Makes a rename in `folder` durable too; a system that cannot do that still has the file.
void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}
// A rename replaces a file whatever its permissions, and other programs keep what they opened.
std::expected<void, std::string> CheckReplaceable(const fs::path&) {
  return {};
}
std::expected<void, std::string> PutInPlace(const fs::path& temporary, const fs::path& target) {
  std::error_code ec;
  fs::rename(temporary, target, ec);
  if (ec) return std::unexpected(ec.message());
  SyncFolder(target.parent_path());
  return {};
}
#endif

// The path a chain of symbolic links ends at; that file need not exist yet.
std::expected<fs::path, std::string> FollowLinks(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return std::unexpected(ec.message());
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::unexpected(ErrnoText(ELOOP));
}

std::string RandomSuffix() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix(8, ' ');
  for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
  return suffix;
}

// 0 when a file can be created in `folder`, else the errno creating one gets. Where the system
// can, the check makes a file without a name, which is gone with its descriptor, so that not even
// a kill can leave it behind; elsewhere a probe is made and removed at once.
int CheckCreatable(const fs::path& folder) {
#ifdef O_TMPFILE
  if (const int unnamed = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
      unnamed >= 0) {
    close(unnamed);
    return 0;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
#endif
  const fs::path probe = folder / (".kestrel-check-" + RandomSuffix());
  const bool registered = RegisterTemporaryFile(probe);
  const int fd = OpenNew(probe);
  const int error = fd < 0 ? errno : 0;
  if (fd >= 0) {
    CloseFile(fd);
    std::error_code ignored;
    fs::remove(probe, ignored);
  }
  if (registered) UnregisterTemporaryFile(probe);
  return error;
}

fs::path FolderOf(const fs::path& file) {
  std::error_code ec;
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  fs::path absolute = fs::absolute(folder, ec);
  return ec ? folder : absolute;
}

}  // namespace

std::expected<OutputFile, std::string> OutputFile::Open(const fs::path& path) {
  OutputFile output;
  output.path_ = path;
#ifdef _WIN32
  if (const auto device = WindowsDeviceName(path); device) {
    if (*device != "NUL") {
      std::string reason = "Windows keeps the name ";
      reason.append(*device).append(" for a device: choose another name");
      return std::unexpected(reason);
    }
    output.fd_ = OpenExisting(L"NUL");  // the null device, written in place as /dev/null is
    if (output.fd_ >= 0) return output;
    return std::unexpected(ErrnoText(errno));
  }
#endif
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
      break;
    case fs::file_type::character:
    case fs::file_type::fifo:
      output.fd_ = OpenExisting(path);
      if (output.fd_ >= 0) return output;
      if (errno == ENXIO && status.type() == fs::file_type::fifo) {
        return std::unexpected("it is a FIFO that no program reads from");
      }
      return std::unexpected(ErrnoText(errno));
    case fs::file_type::directory:
      return std::unexpected("it is a folder");
    case fs::file_type::block:
      return std::unexpected("it is a block device, which a save never overwrites");
    case fs::file_type::socket:
      return std::unexpected("it is a socket");
    default:
      return std::unexpected(ec ? ec.message() : "it is not a file");
  }

  auto target = FollowLinks(path);
  if (!target) return std::unexpected(target.error());
  if (status.type() == fs::file_type::regular) {
    if (auto replaceable = CheckReplaceable(*target); !replaceable)
      return std::unexpected(replaceable.error());
  }
  output.folder_ = FolderOf(*target);
  output.target_ = output.folder_ / target->filename();
  if (status.type() == fs::file_type::regular) output.permissions_ = status.permissions();
  if (const int error = CheckCreatable(output.folder_); error != 0) {
    return std::unexpected(ErrnoText(error));
  }
  output.pending_ = true;
  return output;
}

void OutputFile::Create() {
  if (!pending_) return;
  pending_ = false;
  // Cut so that a long name plus the suffix still fits the system's limit of 255.
  const fs::path::string_type name = target_.filename().native();
  const fs::path stem = name.substr(0, std::min<std::size_t>(name.size(), 200));
  int error = EEXIST;
  for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
    fs::path temporary = folder_ / stem;
    temporary += ".tmp-";
    temporary += RandomSuffix();
    // Registered before it exists, so that no moment is left in which a signal would miss it.
    const bool registered = RegisterTemporaryFile(temporary);
    fd_ = OpenNew(temporary);
    if (fd_ >= 0) {
      if (permissions_ != fs::perms::unknown) {
        std::error_code ec;
        fs::permissions(temporary, permissions_, ec);  // best effort
      }
      temporary_ = std::move(temporary);
      return;
    }
    error = errno;
    if (registered) UnregisterTemporaryFile(temporary);
  }
  if (error_ == 0) error_ = error;
}

int OutputFile::descriptor() {
  Create();
  return fd_;
}

OutputFile OutputFile::StandardOutput() {
#ifdef _WIN32
  // Text mode would turn every LF of the file's bytes into CR LF.
  _setmode(1, _O_BINARY);
#endif
  OutputFile output;
  output.path_ = "standard output";
  output.fd_ = 1;
  output.close_fd_ = false;
  return output;
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      fd_(std::exchange(other.fd_, -1)),
      close_fd_(other.close_fd_),
      error_(other.error_),
      pending_(std::exchange(other.pending_, false)),
      folder_(std::move(other.folder_)),
      permissions_(other.permissions_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    Discard();
    path_ = std::move(other.path_);
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
    fd_ = std::exchange(other.fd_, -1);
    close_fd_ = other.close_fd_;
    error_ = other.error_;
    pending_ = std::exchange(other.pending_, false);
    folder_ = std::move(other.folder_);
    permissions_ = other.permissions_;
  }
  return *this;
}

OutputFile::~OutputFile() {
  Discard();
}

std::expected<void, std::string> OutputFile::Write(std::string_view bytes) {
  if (error_ == 0) Create();
  if (fd_ < 0 && error_ == 0) error_ = EBADF;
  while (!bytes.empty() && error_ == 0) {
    const auto chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1 << 30));
    const auto written = WriteSome(fd_, bytes.data(), chunk);
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (written == 0 || errno != EINTR) {
      error_ = written == 0 ? EIO : errno;
    }
  }
  if (error_ != 0) return std::unexpected(ErrnoText(error_));
  return {};
}

std::expected<void, std::string> OutputFile::Finish() {
  if (error_ == 0) Create();  // an output with no contents at all is an empty file
  if (fd_ >= 0) {
    if (error_ == 0 && !temporary_.empty() && SyncFile(fd_) != 0) error_ = errno;
    if (close_fd_ && CloseFile(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
  }
  if (error_ != 0) {
    Discard();
    return std::unexpected(ErrnoText(error_));
  }
  return {};
}

std::expected<void, std::string> OutputFile::Commit() {
  if (auto finished = Finish(); !finished) return finished;
  if (temporary_.empty()) return {};  // written in place, or committed before
  if (auto placed = PutInPlace(temporary_, target_); !placed) {
    Discard();
    return placed;
  }
  UnregisterTemporaryFile(temporary_);
  temporary_.clear();
  return {};
}

void OutputFile::Discard() noexcept {
  pending_ = false;
  if (fd_ >= 0 && close_fd_) CloseFile(fd_);
  fd_ = -1;
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    UnregisterTemporaryFile(temporary_);
    temporary_.clear();
  }
}

std::expected<void, std::string> CommitTogether(std::span<OutputFile* const> outputs) {
  for (OutputFile* output : outputs) {
    if (auto finished = output->Finish(); !finished) {
      return std::unexpected(Utf8FromPath(output->path()) +
                             ": cannot be written: " + finished.error());
    }
  }
  for (OutputFile* output : outputs) {
    if (auto committed = output->Commit(); !committed) {
      return std::unexpected(Utf8FromPath(output->path()) +
                             ": cannot be written: " + committed.error());
    }
  }
  return {};
}

std::expected<void, std::string> SaveFile(const fs::path& path, std::string_view bytes) {
  auto output = OutputFile::Open(path);
  if (!output) return std::unexpected(output.error());
  if (auto written = output->Write(bytes); !written) return written;
  return output->Commit();
}

}  // namespace kestrel
