// kestrel-cli program: writes a configuration file into one receiver or, one after another,
// into several; with several ports, into one receiver on each port at the same time.
#include <iostream>
#include <set>

#include "cancel_signals.h"
#include "commands.h"
#include "files/data_file.h"
#include "files/image_file.h"
#include "files/path_text.h"
#include "link/program_sequence.h"
#include "link/qt/program_receivers.h"
#include "link/write_changes.h"
#include "model/defaults.h"
#include "model/number_text.h"
#include "model/record_check.h"
#include "output_option.h"
#include "port_option.h"
#include "progress_bar.h"

namespace kestrel::cli {

namespace {

constexpr std::int64_t kMostReceivers = 1000000;

// Waits for Enter before the next receiver or batch; false at the end of input or on a signal.
bool NextConnected(const CancelOnSignals& signals) {
  std::string line;
  return std::getline(std::cin, line) && signals.Signal() == 0;
}

// Programs `count` receivers one after another, asking for the next one between them.
int ProgramEach(link::Link& link, const RadioConfig& record, std::int64_t count,
                const link::ProgramOptions& options, const CancelOnSignals& signals) {
  // One image for the whole run, as in the window: bytes the encoder does not produce keep
  // what they held (zeros, as no read happened in this run).
  MemoryImage image;
  for (std::int64_t done = 0; done < count;) {
    link::LinkStatus programmed;
    {
      ProgressBar progress(std::cerr, StderrIsTerminal());
      programmed = link::ProgramToRadio(link, image, record, options, progress.Report());
    }
    if (!programmed && programmed.error().code == link::LinkResult::kCancelled) {
      return ReportInterrupted(signals.Signal(), programmed.error().detail);
    }
    if (!programmed) return ReportLinkFailure(programmed.error());
    std::cout << (options.verify ? "Completed writing. Verified\n" : "Completed writing.\n")
              << std::flush;
    if (++done == count) break;
    std::cerr << "Connect receiver " << done + 1 << " of " << count << " and press Enter.\n";
    if (!NextConnected(signals)) {
      if (const int signal = signals.Signal()) {
        return ReportInterrupted(signal, "No further receiver was written.");
      }
      std::cerr << "kestrel-cli: end of input; " << done << " of " << count
                << " receivers programmed.\n";
      break;
    }
  }
  return kExitOk;
}

// What one receiver is known to hold, from the file --changes-from names: a file the tool kept
// of a write, or an image kept from a read. The error is the message to show.
std::expected<KnownImage, std::string> LoadKnowledge(const std::string& name) {
  auto contents = LoadImageFileContents(PathFromUtf8(name));
  if (!contents) return std::unexpected("kestrel-cli: " + contents.error());
  if (contents->known) return std::move(*contents->known);
  auto known = link::KnowledgeOfReadImage(contents->image);
  if (!known) return std::unexpected("kestrel-cli: " + name + ": " + known.error());
  return known;
}

// Programs one receiver knowing what it holds: with `changes`, only what it does not hold, else
// all of it. What is known afterwards goes to `known_out`, whatever the outcome.
int ProgramKnowing(link::Link& link, const RadioConfig& record, KnownImage& known, bool changes,
                   const link::ProgramOptions& options, const CancelOnSignals& signals,
                   std::optional<OutputFile>& known_out) {
  MemoryImage image;
  link::LinkStatus programmed;
  std::size_t sent = 0;
  {
    ProgressBar progress(std::cerr, StderrIsTerminal());
    programmed =
        changes ? link::WriteChangesToRadio(link, image, record, known, options, progress.Report(),
                                            &sent)
                : link::ProgramToRadio(link, image, record, options, progress.Report(), &known);
  }
  if (known_out) {
    (void)known_out->Write(KnownImageFileBytes(known));
    if (auto committed = known_out->Commit(); !committed) {
      std::cerr << "kestrel-cli: " << Utf8FromPath(known_out->path())
                << ": cannot be written: " << committed.error() << "\n";
      if (programmed) return kExitData;
    }
  }
  if (!programmed && programmed.error().code == link::LinkResult::kCancelled) {
    return ReportInterrupted(signals.Signal(), programmed.error().detail);
  }
  if (!programmed) return ReportLinkFailure(programmed.error());
  if (changes && sent == 0) {
    std::cout << "Nothing to write: the receiver holds this configuration.\n";
    return kExitOk;
  }
  std::cout << "Completed writing.\n";
  if (changes) {
    std::cerr << sent << " of " << link::CommandCount(link::BuildProgramList())
              << " commands were sent.\n";
  }
  return kExitOk;
}

// Programs one receiver on every port at once, `count` times, asking for the next batch between
// them. Each port's progress goes to stderr under its name and each batch ends with a line per
// port on stdout; the exit status is the first failure's code in the order of the ports.
int ProgramBatches(std::vector<link::BatchReceiver>& batch, const std::vector<std::string>& names,
                   const RadioConfig& record, std::int64_t count,
                   const link::ProgramOptions& options, link::CancelToken& cancel,
                   const CancelOnSignals& signals) {
  for (std::int64_t round = 1; round <= count; ++round) {
    std::vector<std::unique_ptr<ProgressBar>> bars;
    for (std::size_t i = 0; i < batch.size(); ++i) {
      bars.push_back(std::make_unique<ProgressBar>(std::cerr, false, names[i]));
      batch[i].report = bars.back()->Report();
    }
    const auto outcomes = link::ProgramReceivers(batch, record, options, cancel);
    int status = kExitOk;
    for (std::size_t i = 0; i < batch.size(); ++i) {
      if (outcomes[i]) {
        std::cout << names[i] << (options.verify ? ": done: Verified\n" : ": done\n");
        continue;
      }
      const link::LinkFailure& failure = outcomes[i].error();
      if (failure.code == link::LinkResult::kCancelled) {
        std::cout << names[i] << ": cancelled: " << link::OnOneLine(failure.detail) << "\n";
        continue;
      }
      std::cout << names[i] << ": failed: " << link::OnOneLine(link::ResultText(failure)) << "\n";
      if (status == kExitOk) status = ExitStatusOf(failure.code);
    }
    std::cout << std::flush;
    if (const int signal = signals.Signal()) {
      return ReportInterrupted(signal, "The receivers not marked done must be written again.");
    }
    if (status != kExitOk || round == count) return status;
    std::cerr << "Connect the next " << batch.size() << " receivers (batch " << round + 1 << " of "
              << count << ") and press Enter.\n";
    if (!NextConnected(signals)) {
      if (const int signal = signals.Signal()) {
        return ReportInterrupted(signal, "No further receiver was written.");
      }
      std::cerr << "kestrel-cli: end of input; " << round << " of " << count
                << " batches programmed.\n";
      return kExitOk;
    }
  }
  return kExitOk;
}

int RunProgram(std::span<const std::string> argv) {
  const std::optional<Args> args =
      ParseArgs(argv, {"--port", "--count", "--trace", "--changes-from", "--image-out"},
                {"--verify", "--strict"});
  if (!args) return Usage(ProgramCommand());
  if (args->help) return Usage(ProgramCommand(), true);
  const std::vector<std::string> ports = args->Values("--port");
  if (ports.empty() || args->positional.size() != 1) return Usage(ProgramCommand());
  if (const std::set<std::string> different(ports.begin(), ports.end());
      different.size() != ports.size()) {
    std::cerr << "kestrel-cli: every --port must name a different port\n";
    return kExitUsage;
  }
  const auto trace = args->Value("--trace");
  if (trace && ports.size() > 1) {
    std::cerr << "kestrel-cli: --trace takes one --port\n";
    return kExitUsage;
  }
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

  const auto changes_from = args->Value("--changes-from");
  const auto image_out = args->Value("--image-out");
  if ((changes_from || image_out) && (ports.size() > 1 || args->Value("--count"))) {
    std::cerr << "kestrel-cli: --changes-from and --image-out take one --port and no --count\n";
    return kExitUsage;
  }

  const auto record = LoadDataFile(PathFromUtf8(args->positional[0]), NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli: " << record.error().ToString() << "\n";
    return kExitData;
  }
  const std::vector<Finding> warnings = ValuesOutsideTables(*record);
  PrintWarnings(warnings);
  if (!warnings.empty() && args->Has("--strict")) {
    std::cerr << "kestrel-cli: nothing written: --strict refuses values outside their tables\n";
    return kExitData;
  }
  KnownImage known;
  if (changes_from) {
    auto loaded = LoadKnowledge(*changes_from);
    if (!loaded) {
      std::cerr << loaded.error() << "\n";
      return kExitData;
    }
    known = std::move(*loaded);
  }
  // Made ready before the transfer, so that a name that cannot be written stops the command
  // before the receiver is touched.
  std::optional<OutputFile> known_out;
  if (image_out) {
    auto output = OpenOutput(*image_out);
    if (!output) {
      std::cerr << output.error() << "\n";
      return kExitData;
    }
    known_out = std::move(*output);
  }
  std::vector<link::BatchReceiver> batch;
  std::vector<std::string> names;
  for (const std::string& port : ports) {
    auto setup = MakeLinkSetup(port, trace.value_or(""));
    if (!setup) {
      std::cerr << "kestrel-cli: " << setup.error().message << "\n";
      return setup.error().exit_status;
    }
    batch.push_back({.setup = std::move(*setup), .image = {}, .report = {}});
    names.push_back(PortLabel(port));
  }
  const link::ProgramOptions options{
      .verify = args->Has("--verify"),
      .known_from = changes_from ? "written or read as " + *changes_from + " says" : ""};
  link::CancelToken cancel;
  const CancelOnSignals signals(cancel);
  if (batch.size() > 1) {
    return ProgramBatches(batch, names, *record, count, options, cancel, signals);
  }
  int status = kExitOk;
  link::RunOnLinkThread([&] {
    link::PortLink port_link(std::move(batch[0].setup));
    port_link.link().SetCancel(&cancel);
    status = changes_from || image_out
                 ? ProgramKnowing(port_link.link(), *record, known, changes_from.has_value(),
                                  options, signals, known_out)
                 : ProgramEach(port_link.link(), *record, count, options, signals);
  });
  return status;
}

}  // namespace

Command ProgramCommand() {
  return {"program",
          "program --port PORT [--port PORT ...] FILE.dat [--count N] [--verify] [--strict]\n"
          "        [--trace FILE] [--changes-from IMAGE] [--image-out IMAGE]",
          "Programs the receiver on PORT with the configuration in FILE.dat. With --count N,\n"
          "programs N receivers one after another: after each one it asks on stderr to connect\n"
          "the next and press Enter (end of input stops; the exit status is 0 when every\n"
          "receiver so far was programmed). --verify reads the written ranges back and compares\n"
          "them. PORT is a device name, a number 1 to 4, sim, or sim2 to sim8 for further\n"
          "simulated receivers. --trace writes every byte sent and received, with its time in\n"
          "milliseconds, to FILE.\n"
          "With several --port, one receiver on each port is programmed at the same time (N\n"
          "batches with --count N): each port's progress goes to stderr under its name, and\n"
          "every batch ends with one line per port on stdout ('ttyUSB0: done', with --verify\n"
          "'ttyUSB0: done: Verified', or 'ttyUSB1: failed: Failed to write. Try again. ...', the\n"
          "whole message with its cause and what to do); a batch with a failure is the last.\n"
          "--trace takes one port. A failure's cause and what to do about it follow its message\n"
          "on stderr.\n"
          "SIGINT (Ctrl+C) or SIGTERM stops every transfer after the command under way.\n"
          "Values outside their value tables are named as warnings on stderr and written as they\n"
          "are; with --strict they stop the run before anything is sent.\n"
          "--changes-from IMAGE writes only what the receiver does not hold, by what IMAGE\n"
          "says it holds: an image kept by read --image-out, or what program --image-out kept.\n"
          "It first reads the receiver's channel bitmaps and counts back and writes nothing\n"
          "when they differ from IMAGE. --image-out IMAGE keeps what the receiver is known to\n"
          "hold afterwards, also when the write fails or is stopped, so that --changes-from\n"
          "IMAGE can then write the rest. Both take one --port and no --count.\n"
          "Exit status: 0 done, 1 the port cannot be opened, 2 the receiver's region could not\n"
          "be read, 3 writing (or verifying) failed, 4 a frequency this receiver refuses, 5 a\n"
          "value the receiver's memory cannot hold (with several ports: the first failure in\n"
          "the order given), 64 bad usage, 65 a file that cannot be read, 130 or 143 stopped\n"
          "by SIGINT or SIGTERM (or, with --strict, 65 for values outside their tables).",
          RunProgram};
}

}  // namespace kestrel::cli
