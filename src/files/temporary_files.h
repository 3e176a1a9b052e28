// The temporary files of saves in progress, removed again when a signal ends the program half way
// through a save (SIGINT and SIGTERM, and SIGHUP, SIGQUIT, SIGPIPE and SIGXFSZ, which end it as
// well), so that an interrupted save leaves nothing beside its target.
//
// This is the one place of the tool that handles these signals for saves. The handler is
// installed the first time a temporary file is registered, and only for a signal whose action is
// still the default: a program that ignores a signal keeps ignoring it, and a program that has
// installed its own handler keeps it. Such a handler either lets the program end through normal
// returns (every unfinished output removes its own temporary file) or calls
// RemoveTemporaryFiles() before it ends the program.
#pragma once

#include <filesystem>

namespace kestrel {

// Remembers `path` until UnregisterTemporaryFile; false when it cannot be remembered (too long
// a path, too many saves at the same time), and then the file is not removed on a signal.
bool RegisterTemporaryFile(const std::filesystem::path& path);
void UnregisterTemporaryFile(const std::filesystem::path& path);

// Removes every registered file. Only calls functions that are safe in a signal handler.
void RemoveTemporaryFiles() noexcept;

}  // namespace kestrel
