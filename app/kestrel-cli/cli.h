// Shared plumbing of kestrel-cli: exit statuses, argument parsing and the subcommand table.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/finding.h"

namespace kestrel::cli {

// Exit statuses scripts rely on: 0 success, 1 to 5 a link result, 64 bad usage, 65 a file or
// image that cannot be read, written or encoded (the sysexits convention).
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 64;
inline constexpr int kExitData = 65;

// The arguments of one subcommand: positionals in order, options by name ("-o", "--base").
struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // options that take a value: the last one given
  std::map<std::string, std::vector<std::string>> every_value;  // and all of them, in order
  std::set<std::string> flags;                                  // options that do not
  bool help = false;

  bool Has(const std::string& flag) const { return flags.contains(flag); }
  std::optional<std::string> Value(const std::string& option) const;
  // Every value of an option that may be given more than once ("--port A --port B").
  std::vector<std::string> Values(const std::string& option) const;
};

// Splits `argv` by the options a subcommand knows. Returns nullopt (after printing why on
// stderr) for an unknown option or an option that lacks its value.
std::optional<Args> ParseArgs(std::span<const std::string> argv,
                              const std::set<std::string>& value_options,
                              const std::set<std::string>& flag_options);

struct Command {
  std::string name;
  std::string synopsis;  // one line: "new -o FILE.dat"
  std::string help;      // what it does, shown by `kestrel-cli NAME --help`
  std::function<int(std::span<const std::string>)> run;
};

// Prints "usage: kestrel-cli <synopsis>" and the help text to stderr (for mistakes) or stdout.
int Usage(const Command& command, bool to_stdout = false);

// Each warning on stderr, as "kestrel-cli: warning: channel 799, STEP: ..."; `source` names the
// file a line or column of a warning belongs to.
void PrintWarnings(const std::vector<Finding>& warnings, std::string_view source = {});

// The subcommands, in the order `kestrel-cli --help` lists them.
const std::vector<Command>& Commands();

}  // namespace kestrel::cli
