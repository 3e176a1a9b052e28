#include "pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <span>

namespace kestrel::sim {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::string Errno(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

struct Pending {
  SteadyClock::time_point due;
  std::string bytes;
};

}  // namespace

PtyServer::~PtyServer() {
  for (int fd : {watch_, slave_, master_}) {
    if (fd >= 0) close(fd);
  }
}

std::expected<std::string, std::string> PtyServer::Open() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return std::unexpected(Errno("posix_openpt"));
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) return std::unexpected(Errno("grantpt"));
  const char* name = ptsname(master_);
  if (!name) return std::unexpected(Errno("ptsname"));
  path_ = name;
  slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY);
  if (slave_ < 0) return std::unexpected(Errno(path_.c_str()));
  termios raw{};
  if (tcgetattr(slave_, &raw) != 0) return std::unexpected(Errno("tcgetattr"));
  cfmakeraw(&raw);
  cfsetispeed(&raw, B38400);
  cfsetospeed(&raw, B38400);
  if (tcsetattr(slave_, TCSANOW, &raw) != 0) return std::unexpected(Errno("tcsetattr"));
  watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch_ >= 0 && inotify_add_watch(watch_, path_.c_str(), IN_CLOSE_WRITE) < 0) {
    close(watch_);
    watch_ = -1;
  }
  return path_;
}

std::optional<std::string> PtyServer::Serve(int stop_fd, const std::function<void()>& on_step_end) {
  std::deque<Pending> pending;
  bool used = false;  // bytes came in since the device was last closed
  for (;;) {
    int timeout = -1;
    if (!pending.empty()) {
      const auto wait =
          std::chrono::ceil<std::chrono::milliseconds>(pending.front().due - SteadyClock::now());
      timeout = static_cast<int>(std::max<std::int64_t>(0, wait.count()));
    }
    pollfd fds[3] = {{master_, POLLIN, 0}, {stop_fd, POLLIN, 0}, {watch_, POLLIN, 0}};
    const nfds_t count = watch_ >= 0 ? 3 : 2;
    if (poll(fds, count, timeout) < 0) {
      if (errno == EINTR) continue;
      return Errno("poll");
    }
    if (fds[1].revents != 0) return std::nullopt;

    if (count == 3 && (fds[2].revents & POLLIN)) {
      alignas(inotify_event) char events[4096];
      while (read(watch_, events, sizeof events) > 0) {
      }
      // Handled before new input: a program that closed and opened again at once must get the
      // answers to its new commands, not lose them to this clean-up. A frame its predecessor cut
      // off is dropped here; one whose last bytes are read only after this, the next program's
      // handshake drops.
      receiver_.ResetInput();
      if (used) {
        // A program closed the device after a step: what was still on its way is lost.
        pending.clear();
        tcflush(slave_, TCIFLUSH);
        ioctl(slave_, TIOCNXCL);  // a program's exclusive claim ends with its close
        used = false;
        on_step_end();
      }
    }
    if (fds[0].revents & POLLIN) {
      std::uint8_t buffer[256];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) return Errno("read");
      if (n > 0) {
        used = true;
        const auto now = SteadyClock::now();
        for (auto& answer : receiver_.Take(std::span(buffer, static_cast<std::size_t>(n)))) {
          pending.push_back({now + std::chrono::milliseconds(answer.delay_ms), answer.bytes});
        }
      }
    }
    while (!pending.empty() && pending.front().due <= SteadyClock::now()) {
      const std::string& bytes = pending.front().bytes;
      if (write(master_, bytes.data(), bytes.size()) < 0 && errno != EIO) return Errno("write");
      pending.pop_front();
    }
  }
}

}  // namespace kestrel::sim
