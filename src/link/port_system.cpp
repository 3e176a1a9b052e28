#include "link/port_system.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

#if defined(_WIN32)
#else
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel::link {
namespace {

OpenFailure NotFound(const std::string& name, FailureFacts facts) {
  facts.os_error = ENOENT;
  return {"The serial port " + name + " was not found.", FailureCause::kNoSuchPort,
          std::move(facts)};
}

OpenFailure InUse(const std::string& name, FailureFacts facts) {
  return {"The serial port " + name + " cannot be opened: it is in use by another program.",
          FailureCause::kPortInUse, std::move(facts)};
}

OpenFailure Unexplained(const std::string& name, const std::string& platform_text,
                        FailureFacts facts) {
  std::string text = "The serial port " + name + " cannot be opened";
  if (!platform_text.empty()) text += ": " + platform_text;
  return {text + ".", FailureCause::kUnknown, std::move(facts)};
}

}  // namespace

#if defined(_WIN32)

std::string DevicePath(const std::string& name) {
  return name;
}

std::string DeviceGroup(const std::string&) {
  return {};
}

std::vector<std::string> LockFilePaths(const std::string&) {
  return {};
}

std::optional<LockHolder> LockHolderOf(const std::string&) {
  return std::nullopt;
}

// Windows refuses a port that another program has open with "access denied": no permission
// keeps a user from a COM port there, so that is the port held elsewhere.
OpenFailure ExplainOpenFailure(const std::string& name, OpenRefusal refusal,
                               const std::string& platform_text) {
  FailureFacts facts{.port = name};
  switch (refusal) {
    case OpenRefusal::kNotFound:
      return NotFound(name, std::move(facts));
    case OpenRefusal::kPermission:
    case OpenRefusal::kResource:
      return InUse(name, std::move(facts));
    case OpenRefusal::kOther:
      break;
  }
  return Unexplained(name, platform_text, std::move(facts));
}

#else

namespace {

bool Running(int pid) {
  return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// The errno an open for reading and writing gets now; 0 when it opens. The probe neither waits
// for a modem line nor makes the device the program's terminal.
int ProbeOpen(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  close(fd);
  return 0;
}

// Whether this process already has the group `gid`: then joining it is no fix.
bool InGroup(gid_t gid) {
  if (getegid() == gid) return true;
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
  const int count = getgroups(static_cast<int>(groups.size()), groups.data());
  return std::find(groups.begin(), groups.begin() + std::max(count, 0), gid) !=
         groups.begin() + std::max(count, 0);
}

}  // namespace

std::string DevicePath(const std::string& name) {
  if (name.starts_with("/") || name.starts_with("./") || name.starts_with("../")) return name;
  return "/dev/" + name;
}

std::string DeviceGroup(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  const group* owner = getgrgid(info.st_gid);
  return owner ? owner->gr_name : std::to_string(info.st_gid);
}

std::vector<std::string> LockFilePaths(const std::string& path) {
  // Named after the device below /dev with '/' as '_': "LCK..ttyUSB0", "LCK..pts_3".
  std::string device = path.starts_with("/dev/") ? path.substr(5) : path;
  for (char& c : device) {
    if (c == '/') c = '_';
  }
  std::vector<std::string> paths;
  for (const char* folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                             "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
    paths.push_back(std::string(folder) + "/LCK.." + device);
  }
  return paths;
}

std::optional<LockHolder> LockHolderOf(const std::string& path) {
  for (const std::string& lock : LockFilePaths(path)) {
    std::ifstream in(lock);
    if (!in) continue;
    // Text locks hold the process id first ("      1234"), some with the program's name on the
    // next line.
    int pid = 0;
    std::string program;
    if (!(in >> pid) || !Running(pid)) continue;
    in >> std::ws;
    std::getline(in, program);
    LockHolder holder{pid, FirstLine("/proc/" + std::to_string(pid) + "/comm")};
    if (holder.name.empty() && !program.empty()) {
      holder.name = program.substr(program.find_last_of('/') + 1);
    }
    return holder;
  }
  return std::nullopt;
}

OpenFailure ExplainOpenFailure(const std::string& name, OpenRefusal refusal,
                               const std::string& platform_text) {
  const std::string path = DevicePath(name);
  FailureFacts facts{.port = name};
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return NotFound(name, std::move(facts));
  if (const auto holder = LockHolderOf(path)) {
    facts.holder_pid = holder->pid;
    facts.holder_name = holder->name;
    return InUse(name, std::move(facts));
  }
  // The backend reports a forbidden device and a busy one alike; the system tells them apart.
  facts.os_error = refusal == OpenRefusal::kOther ? 0 : ProbeOpen(path);
  switch (facts.os_error) {
    case EACCES:
    case EPERM:
      if (!InGroup(info.st_gid)) facts.group = DeviceGroup(path);
      return {"Permission to use the serial port " + name + " was denied.",
              FailureCause::kNoPermission, std::move(facts)};
    case EBUSY:
      return InUse(name, std::move(facts));
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return NotFound(name, std::move(facts));
    default:
      break;
  }
  // Opened now although the backend was refused: another program held it a moment ago, or
  // holds it in a way the system does not show (a lock this program cannot read). Unless no
  // lock folder can be written, which refuses every port alike: the backend's words say that.
  const auto paths = LockFilePaths(path);
  const bool lockable = std::any_of(paths.begin(), paths.end(), [](const std::string& lock) {
    return access(lock.substr(0, lock.rfind('/')).c_str(), W_OK) == 0;
  });
  if ((refusal == OpenRefusal::kPermission && lockable) || refusal == OpenRefusal::kResource) {
    return InUse(name, std::move(facts));
  }
  if (refusal == OpenRefusal::kNotFound) return NotFound(name, std::move(facts));
  return Unexplained(name, platform_text, std::move(facts));
}

#endif

}  // namespace kestrel::link
