// kestrel-cli read: reads a receiver and saves its configuration; nothing is written unless the
// whole read succeeded.
#include <iostream>
#include <vector>

#include "backup_folder.h"
#include "cancel_signals.h"
#include "commands.h"
#include "files/data_file.h"
#include "files/image_file.h"
#include "link/read_sequence.h"
#include "model/defaults.h"
#include "output_option.h"
#include "port_option.h"
#include "progress_bar.h"

namespace kestrel::cli {

namespace {

int RunRead(std::span<const std::string> argv) {
  const std::optional<Args> args =
      ParseArgs(argv, {"--port", "-o", "--image-out", "--trace"}, {"--no-backup"});
  if (!args) return Usage(ReadCommand());
  if (args->help) return Usage(ReadCommand(), true);
  const auto port = args->Value("--port");
  const auto out = args->Value("-o");
  if (!port || !out || !args->positional.empty()) return Usage(ReadCommand());

  if (args->Values("--port").size() > 1) {
    std::cerr << "kestrel-cli: read takes one --port\n";
    return kExitUsage;
  }
  auto setup = MakeLinkSetup(*port, args->Value("--trace").value_or(""));
  if (!setup) {
    std::cerr << "kestrel-cli: " << setup.error().message << "\n";
    return setup.error().exit_status;
  }
  link::CancelToken cancel;
  const CancelOnSignals signals(cancel);
  // Every output is made ready before the transfer: one that cannot be written stops the
  // command before the receiver is touched, and a failed read leaves every target as it was.
  std::vector<OutputFile> outputs;
  for (const std::optional<std::string>& name : {out, args->Value("--image-out")}) {
    if (!name) continue;
    auto output = OpenOutput(*name);
    if (!output) {
      std::cerr << output.error() << "\n";
      return kExitData;
    }
    outputs.push_back(std::move(*output));
  }

  MemoryImage image;
  std::expected<RadioConfig, link::LinkFailure> read;
  link::RunOnLinkThread([&] {
    link::PortLink port_link(std::move(*setup));
    port_link.link().SetCancel(&cancel);
    ProgressBar progress(std::cerr, StderrIsTerminal());
    read = link::ReadFromRadio(port_link.link(), image, NewConfiguration(), progress.Report());
  });
  // A signal that came after the last command still keeps every output as it was.
  if (const int signal = signals.Signal()) {
    return ReportInterrupted(signal, "Reading cancelled. Nothing was changed.");
  }
  if (!read) return ReportLinkFailure(read.error());
  // Kept before the outputs, so that a read whose files cannot be saved is still kept.
  if (!args->Has("--no-backup")) KeepReadBackup(*read, image, *port);
  (void)outputs[0].Write(FormatDataFile(*read));  // failures come again on commit
  if (outputs.size() > 1) (void)outputs[1].Write(ImageFileBytes(image));
  std::vector<OutputFile*> together;
  for (OutputFile& output : outputs) together.push_back(&output);
  if (auto committed = CommitTogether(together); !committed) {
    std::cerr << "kestrel-cli: " << committed.error() << "\n";
    return kExitData;
  }
  SummaryStream(*out) << "Completed reading out.\n";
  return kExitOk;
}

}  // namespace

Command ReadCommand() {
  return {"read",
          "read --port PORT -o FILE.dat [--image-out IMAGE.bin] [--trace FILE] [--no-backup]",
          "Reads the configuration of the receiver on PORT and saves it to FILE.dat (and the\n"
          "memory image read to IMAGE.bin). Both are checked before the read starts, and nothing\n"
          "is written unless the read succeeded; - writes FILE.dat to standard output.\n"
          "PORT is a device name (/dev/ttyUSB0, COM3), a number 1 to 4 as in the window's COM\n"
          "menu, or sim for a receiver simulated in this process. --trace writes every byte sent\n"
          "and received, with its time in milliseconds, to FILE.\n"
          "Every successful read is also kept as a backup (see kestrel-cli backups) unless\n"
          "--no-backup is given; a backup that cannot be written is a warning on stderr, and the\n"
          "read still succeeds.\n"
          "SIGINT (Ctrl+C) or SIGTERM stops the read after the command under way and writes\n"
          "nothing.\n"
          "Exit status: 0 done, 1 the port cannot be opened, 2 reading failed, 64 bad usage,\n"
          "65 a file that cannot be written, 130 or 143 stopped by SIGINT or SIGTERM.",
          RunRead};
}

}  // namespace kestrel::cli
