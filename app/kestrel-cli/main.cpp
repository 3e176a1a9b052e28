// kestrel-cli: the tool's jobs without a window, for scripts, batch programming and tests.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"
#include "console_text.h"

namespace kestrel::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      NewCommand(),    CheckCommand(),   EncodeCommand(), DecodeCommand(),
      ReadCommand(),   ProgramCommand(), ShowCommand(),   PrintCommand(),
      ExportCommand(), ImportCommand(),  DiffCommand(),   BackupsCommand(),
  };
  return commands;
}

namespace {

int ToolUsage(bool to_stdout) {
  std::ostream& out = to_stdout ? std::cout : std::cerr;
  out << "usage: kestrel-cli COMMAND [ARGS]\n\nCommands:\n";
  for (const Command& command : Commands()) out << "  " << command.synopsis << "\n";
  out << "\n'kestrel-cli COMMAND --help' tells more about one command.\n";
  return to_stdout ? kExitOk : kExitUsage;
}

}  // namespace
}  // namespace kestrel::cli

int main(int argc, char** argv) {
  using namespace kestrel::cli;
  const std::vector<std::string> args = Utf8Arguments(argc, argv);
  if (args.empty()) return ToolUsage(false);
  if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") return ToolUsage(true);
  for (const Command& command : Commands()) {
    if (command.name == args[0]) return command.run(std::span(args).subspan(1));
  }
  std::cerr << "kestrel-cli: unknown command '" << args[0] << "'\n";
  return ToolUsage(false);
}
