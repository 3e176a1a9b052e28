#include "support/temp_files.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace kestrel::testing {

TempFolder::TempFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    std::filesystem::path candidate = std::filesystem::temp_directory_path() / "kestrel-test-";
    candidate += std::to_string(random());
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) path_ = std::move(candidate);
  }
  if (path_.empty()) std::abort();  // nothing a test could do without it
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Listing() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    const std::u8string name = entry.path().filename().u8string();
    names.insert(std::string(name.begin(), name.end()));
  }
  std::string listing;
  for (const std::string& name : names) listing += (listing.empty() ? "" : " ") + name;
  return listing;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  // A read loop, not istreambuf_iterator: g++ 12 at -O2 and above doubts the stream buffer is set.
  std::string bytes;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  return bytes;
}

void WriteAll(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

#ifdef _WIN32

bool IsRoot() {
  return false;
}

void WithSmallFileSizeLimit(const std::function<void()>&) {
  std::abort();  // its tests skip on Windows
}

#else

bool IsRoot() {
  return geteuid() == 0;
}

void WithSmallFileSizeLimit(const std::function<void()>& write) {
  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit small = old_limit;
  small.rlim_cur = 4096;
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  if (setrlimit(RLIMIT_FSIZE, &small) != 0) std::abort();
  write();
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
}

#endif

}  // namespace kestrel::testing
