#include "support/processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <utility>

#include "support/temp_files.h"

extern char** environ;

namespace kestrel::testing {
namespace {

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// Starts `path` with `args` and the given file actions; -1 when it cannot be started.
pid_t Spawn(const std::string& path, const std::vector<std::string>& args,
            const posix_spawn_file_actions_t& actions) {
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  return posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// Waits for `pid` to end: its exit status, and the processor time it used into `cpu_seconds`.
int Reap(pid_t pid, double& cpu_seconds) {
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return -1;
  cpu_seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::string ProgramPath(const std::string& name) {
  if (name.starts_with('/')) return name;
  return std::string(KESTREL_BINARY_DIR) + "/app/" + name + "/" + name;
}

// Standard input, output and error are files in a folder of their own: no pipe can fill up and
// block the program, and the input ends where a script's redirected file would.
BackgroundProgram::BackgroundProgram(const std::string& program,
                                     const std::vector<std::string>& args, const std::string& input)
    : io_(std::make_unique<TempFolder>()) {
  const std::string in = io_->Path("in"), out = io_->Path("out"), err = io_->Path("err");
  WriteAll(in, input);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_ = Spawn(ProgramPath(program), args, actions);
  posix_spawn_file_actions_destroy(&actions);
  if (pid_ < 0) result_.err = "cannot start " + ProgramPath(program);
}

BackgroundProgram::~BackgroundProgram() {
  if (pid_ > 0) kill(pid_, SIGKILL);
  Wait();
}

void BackgroundProgram::Signal(int signal) const {
  if (pid_ > 0) kill(pid_, signal);
}

ProgramResult BackgroundProgram::Wait() {
  if (pid_ <= 0) return result_;
  result_.exit_status = Reap(std::exchange(pid_, -1), result_.cpu_seconds);
  result_.out = ReadAll(io_->Path("out"));
  result_.err = ReadAll(io_->Path("err"));
  return result_;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input) {
  return BackgroundProgram(program, args, input).Wait();
}

ProgramResult Cli(const std::vector<std::string>& args, const std::string& input) {
  return RunProgram("kestrel-cli", args, input);
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_ = Spawn(ProgramPath("kestrel-sim"), args, actions);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  reader_ = std::thread(&SimProcess::Drain, this, fds[0]);

  std::unique_lock lock(mutex_);
  printed_more_.wait_for(lock, std::chrono::seconds(5),
                         [this] { return ended_ || printed_.find('\n') != std::string::npos; });
  const std::size_t end = printed_.find('\n');
  if (end != std::string::npos) {
    device_ = printed_.substr(0, end);
    printed_.erase(0, end + 1);
  }
}

SimProcess::~SimProcess() {
  Stop();
}

void SimProcess::Drain(int fd) {
  char chunk[4096];
  ssize_t n = 0;
  while ((n = read(fd, chunk, sizeof chunk)) > 0) {
    const std::lock_guard lock(mutex_);
    printed_.append(chunk, static_cast<std::size_t>(n));
    printed_more_.notify_all();
  }
  close(fd);
  const std::lock_guard lock(mutex_);
  ended_ = true;
  printed_more_.notify_all();
}

int SimProcess::Stop() {
  if (pid_ > 0) kill(pid_, SIGTERM);
  return Wait();
}

int SimProcess::Wait() {
  if (pid_ > 0) exit_status_ = Reap(std::exchange(pid_, -1), cpu_seconds_);
  if (reader_.joinable()) reader_.join();
  return exit_status_;
}

bool SimProcess::WaitForOutput(const std::string& text, int seconds) {
  std::unique_lock lock(mutex_);
  return printed_more_.wait_for(lock, std::chrono::seconds(seconds),
                                [&] { return printed_.find(text) != std::string::npos; });
}

std::string SimProcess::output() const {
  const std::lock_guard lock(mutex_);
  return printed_;
}

}  // namespace kestrel::testing
