// kestrel-cli program: writes a configuration file into one receiver or, one after another,
// into several.
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "link/program_sequence.h"
#include "model/defaults.h"
#include "model/number_text.h"
#include "model/record_check.h"
#include "port_option.h"
#include "progress_bar.h"

namespace kestrel::cli {

namespace {

constexpr std::int64_t kMostReceivers = 1000000;

// Programs `count` receivers one after another, asking for the next one between them.
int ProgramEach(link::Link& link, const RadioConfig& record, std::int64_t count,
                const link::ProgramOptions& options) {
  // One image for the whole run, as in the window: bytes the encoder does not produce keep
  // what they held (zeros, as no read happened in this run).
  MemoryImage image;
  for (std::int64_t done = 0; done < count;) {
    link::LinkStatus programmed;
    {
      ProgressBar progress(std::cerr, StderrIsTerminal());
      programmed = link::ProgramToRadio(link, image, record, options, progress.Report());
    }
    if (!programmed) return ReportLinkFailure(programmed.error());
    std::cout << "Completed writing.\n" << std::flush;
    if (++done == count) break;
    std::cerr << "Connect receiver " << done + 1 << " of " << count << " and press Enter.\n";
    std::string line;
    if (!std::getline(std::cin, line)) {
      std::cerr << "kestrel-cli: end of input; " << done << " of " << count
                << " receivers programmed.\n";
      break;
    }
  }
  return kExitOk;
}

// Each warning on stderr, as "kestrel-cli: warning: channel 799, Step: ...".
void PrintWarnings(const std::vector<RecordWarning>& warnings) {
  for (const RecordWarning& warning : warnings) {
    std::cerr << "kestrel-cli: warning: " << warning.ToString() << "\n";
  }
}

int RunProgram(std::span<const std::string> argv) {
  const std::optional<Args> args =
      ParseArgs(argv, {"--port", "--count", "--trace"}, {"--verify", "--strict"});
  if (!args) return Usage(ProgramCommand());
  if (args->help) return Usage(ProgramCommand(), true);
  const auto port = args->Value("--port");
  if (!port || args->positional.size() != 1) return Usage(ProgramCommand());
  std::int64_t count = 1;
  if (const auto text = args->Value("--count")) {
    const auto parsed = ParseWholeNumber(*text);
    if (!parsed || *parsed < 1 || *parsed > kMostReceivers) {
      std::cerr << "kestrel-cli: --count takes a number of receivers, 1 or more; not '" << *text
                << "'\n";
      return kExitUsage;
    }
    count = *parsed;
  }

  const auto record = LoadDataFile(args->positional[0], NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli: " << record.error().ToString() << "\n";
    return kExitData;
  }
  const std::vector<RecordWarning> warnings = ValuesOutsideTables(*record);
  PrintWarnings(warnings);
  if (!warnings.empty() && args->Has("--strict")) {
    std::cerr << "kestrel-cli: nothing written: --strict refuses values outside their tables\n";
    return kExitData;
  }
  auto setup = MakeLinkSetup(*port, args->Value("--trace").value_or(""));
  if (!setup) {
    std::cerr << "kestrel-cli: " << setup.error().message << "\n";
    return setup.error().exit_status;
  }
  const link::ProgramOptions options{.verify = args->Has("--verify")};
  int status = kExitOk;
  link::RunOnLinkThread([&] {
    link::PortLink port_link(std::move(*setup));
    status = ProgramEach(port_link.link(), *record, count, options);
  });
  return status;
}

}  // namespace

Command ProgramCommand() {
  return {"program",
          "program --port PORT FILE.dat [--count N] [--verify] [--strict] [--trace FILE]",
          "Programs the receiver on PORT with the configuration in FILE.dat. With --count N,\n"
          "programs N receivers one after another: after each one it asks on stderr to connect\n"
          "the next and press Enter (end of input stops; the exit status is 0 when every\n"
          "receiver so far was programmed). --verify reads the written ranges back and compares\n"
          "them. PORT is a device name, a number 1 to 4, or sim. --trace writes every byte sent\n"
          "and received, with its time in milliseconds, to FILE.\n"
          "Values outside their value tables are named as warnings on stderr and written as they\n"
          "are; with --strict they stop the run before anything is sent (exit status 65).\n"
          "Exit status: 0 done, 1 the port cannot be opened, 2 the receiver's region could not\n"
          "be read, 3 writing (or verifying) failed, 4 a frequency this receiver refuses, 5 a\n"
          "value the receiver's memory cannot hold, 64 bad usage, 65 a file that cannot be read\n"
          "(or, with --strict, holds values outside their tables).",
          RunProgram};
}

}  // namespace kestrel::cli
