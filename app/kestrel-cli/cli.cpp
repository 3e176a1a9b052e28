#include "cli.h"

#include <iostream>

namespace kestrel::cli {

std::optional<std::string> Args::Value(const std::string& option) const {
  const auto it = values.find(option);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> Args::Values(const std::string& option) const {
  const auto it = every_value.find(option);
  if (it == every_value.end()) return {};
  return it->second;
}

std::optional<Args> ParseArgs(std::span<const std::string> argv,
                              const std::set<std::string>& value_options,
                              const std::set<std::string>& flag_options) {
  Args args;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      args.help = true;
    } else if (value_options.contains(arg)) {
      if (i + 1 >= argv.size()) {
        std::cerr << "kestrel-cli: " << arg << " needs a value\n";
        return std::nullopt;
      }
      args.values[arg] = argv[++i];
      args.every_value[arg].push_back(argv[i]);
    } else if (flag_options.contains(arg)) {
      args.flags.insert(arg);
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "kestrel-cli: unknown option " << arg << "\n";
      return std::nullopt;
    } else {
      args.positional.push_back(arg);
    }
  }
  return args;
}

void PrintWarnings(const std::vector<Finding>& warnings, std::string_view source) {
  for (const Finding& warning : warnings) {
    std::cerr << "kestrel-cli: warning: " << FindingText(warning, source) << "\n";
  }
}

int Usage(const Command& command, bool to_stdout) {
  std::ostream& out = to_stdout ? std::cout : std::cerr;
  out << "usage: kestrel-cli " << command.synopsis << "\n\n" << command.help << "\n";
  return to_stdout ? kExitOk : kExitUsage;
}

}  // namespace kestrel::cli
