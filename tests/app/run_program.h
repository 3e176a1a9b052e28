// Runs one of the project's programs as a script would and captures what it printed.
#pragma once

#include <string>
#include <vector>

namespace kestrel::testing {

struct ProgramResult {
  int exit_status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Path of a program of this build ("kestrel-cli", "kestrel-sim").
std::string ProgramPath(const std::string& name);

// Runs `program` with `args`, feeding `input` to its standard input, and waits for it.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = {});

// A whole file as bytes ("" when it cannot be read), and a file written with exactly `bytes`.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// A fresh empty folder for one test's files, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kestrel::testing
