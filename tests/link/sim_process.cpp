#include "sim_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kestrel::link::testing {

std::string SimPath() {
  return std::string(KESTREL_BINARY_DIR) + "/app/kestrel-sim/kestrel-sim";
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
  const std::string path = SimPath();
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  out_ = pipe_fds[0];
  if (spawned != 0) return;
  pid_ = pid;
  // The first line is the device path; allow the program a few seconds to print it.
  std::string line;
  pollfd fd{out_, POLLIN, 0};
  while (line.find('\n') == std::string::npos && poll(&fd, 1, 5000) > 0) {
    char buffer[256];
    const ssize_t n = read(out_, buffer, sizeof buffer);
    if (n <= 0) break;
    line.append(buffer, static_cast<std::size_t>(n));
  }
  const auto end = line.find('\n');
  if (end != std::string::npos) {
    device_ = line.substr(0, end);
    output_ = line.substr(end + 1);
  }
}

int SimProcess::Stop() {
  if (pid_ >= 0) kill(pid_, SIGTERM);
  return Wait();
}

int SimProcess::Wait() {
  if (pid_ < 0) return status_;
  char buffer[4096];
  ssize_t n;
  while ((n = read(out_, buffer, sizeof buffer)) > 0)
    output_.append(buffer, static_cast<std::size_t>(n));
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return status_;
}

SimProcess::~SimProcess() {
  Stop();
  if (out_ >= 0) close(out_);
}

}  // namespace kestrel::link::testing
