// How every file the tool writes is saved: data files, memory images, PDF reports and the
// settings file. A save never leaves a half-written or empty target behind, never writes through
// a name another program (or an attacker) put in its way, and tells every failure, a full disk
// included. Failures come back as a short reason ("No space left on device").
#pragma once

#include <expected>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace kestrel {

// One output on its way to its target. Contents go to a new temporary file in the target's
// folder, created exclusively under a unique name when the first contents come (so an output
// opened before a long job leaves nothing behind when the job fails or the program is killed);
// Commit renames it over the target, so the old file stays whole until the new one is complete
// on the disk. An output that is never committed removes its temporary file and leaves the
// target as it was, also when SIGINT or SIGTERM ends the program (see temporary_files.h).
//
// The target is what the path names after following symbolic links: a link stays and the file it
// points to is replaced. A regular file keeps its permissions. A target that exists and is a
// character device or a FIFO (/dev/null, /dev/stdout, a pipe) cannot be replaced and is written
// in place; a FIFO only while a program reads from it. Folders, sockets and block devices are
// refused.
//
// On Windows a save cannot replace a file that another program holds open, nor a read-only one,
// and a name Windows keeps for a device (CON, COM1, aux.dat) opens that device instead of a file:
// each is refused before anything is written, with a reason that says which. NUL is the null
// device, written in place as /dev/null is. The new file is flushed (FlushFileBuffers) and then
// moved over the old one with MoveFileExW, written through to the disk.
class OutputFile {
 public:
  // Gets the output ready: once this succeeded the contents can be written, so a program can
  // find out before a long job whether its outputs can be saved at all. The check leaves no file.
  static std::expected<OutputFile, std::string> Open(const std::filesystem::path& path);
  // The program's standard output, written in place and left open.
  static OutputFile StandardOutput();

  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  ~OutputFile();

  // Where the contents go, for writers that take a descriptor: the temporary file is made now
  // if it was not yet. -1 once finished or when it cannot be made (Finish tells why).
  int descriptor();
  // The path as given ("standard output" for that), for messages.
  const std::filesystem::path& path() const { return path_; }

  // Appends `bytes`. A failure is also kept and reported again by Finish and Commit, so a
  // writer may check once at the end.
  std::expected<void, std::string> Write(std::string_view bytes);
  // Flushes the contents to the disk and closes the file, so that every failure the disk reports
  // late (a full disk) is known before anything is replaced.
  std::expected<void, std::string> Finish();
  // Finishes the output when not yet done and puts it in place of the target.
  std::expected<void, std::string> Commit();

 private:
  OutputFile() = default;
  // Makes the temporary file once contents are to come; a failure is kept as a write error.
  void Create();
  void Discard() noexcept;

  std::filesystem::path path_;       // as given
  std::filesystem::path target_;     // what a rename replaces; empty when written in place
  std::filesystem::path temporary_;  // empty when written in place or once renamed
  int fd_ = -1;
  bool close_fd_ = true;  // false for standard output
  int error_ = 0;         // the first write error, reported again by Finish
  bool pending_ = false;  // the temporary file is still to be made, in `folder_`
  std::filesystem::path folder_;
  std::filesystem::perms permissions_ = std::filesystem::perms::unknown;  // the target's
};

// Commits outputs that belong together: each is finished first, and only when all of them are
// complete on the disk are they put in place, so that a failure leaves every target as it was.
// The error names the output that failed: "<path>: cannot be written: <reason>".
std::expected<void, std::string> CommitTogether(std::span<OutputFile* const> outputs);

// Writes `bytes` to `path` through an OutputFile.
std::expected<void, std::string> SaveFile(const std::filesystem::path& path,
                                          std::string_view bytes);

}  // namespace kestrel
