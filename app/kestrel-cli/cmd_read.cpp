// kestrel-cli read: reads a receiver and saves its configuration; nothing is written unless the
// whole read succeeded.
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "image/image_file.h"
#include "link/read_sequence.h"
#include "model/defaults.h"
#include "port_option.h"
#include "progress_bar.h"

namespace kestrel::cli {

namespace {

int RunRead(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"--port", "-o", "--image-out", "--trace"}, {});
  if (!args) return Usage(ReadCommand());
  if (args->help) return Usage(ReadCommand(), true);
  const auto port = args->Value("--port");
  const auto out = args->Value("-o");
  if (!port || !out || !args->positional.empty()) return Usage(ReadCommand());

  auto setup = MakeLinkSetup(*port, args->Value("--trace").value_or(""));
  if (!setup) {
    std::cerr << "kestrel-cli: " << setup.error().message << "\n";
    return setup.error().exit_status;
  }
  MemoryImage image;
  std::expected<RadioConfig, link::LinkFailure> read;
  link::RunOnLinkThread([&] {
    link::PortLink port_link(std::move(*setup));
    ProgressBar progress(std::cerr, StderrIsTerminal());
    read = link::ReadFromRadio(port_link.link(), image, NewConfiguration(), progress.Report());
  });
  if (!read) return ReportLinkFailure(read.error());
  if (auto saved = SaveDataFile(*out, *read); !saved) {
    std::cerr << "kestrel-cli: " << saved.error().ToString() << "\n";
    return kExitData;
  }
  if (const auto image_out = args->Value("--image-out")) {
    if (auto saved = SaveImageFile(*image_out, image); !saved) {
      std::cerr << "kestrel-cli: " << saved.error() << "\n";
      return kExitData;
    }
  }
  std::cout << "Completed reading out.\n";
  return kExitOk;
}

}  // namespace

Command ReadCommand() {
  return {"read", "read --port PORT -o FILE.dat [--image-out IMAGE.bin] [--trace FILE]",
          "Reads the configuration of the receiver on PORT and saves it to FILE.dat (and the\n"
          "memory image read to IMAGE.bin). Nothing is written unless the read succeeded.\n"
          "PORT is a device name (/dev/ttyUSB0, COM3), a number 1 to 4 as in the window's COM\n"
          "menu, or sim for a receiver simulated in this process. --trace writes every byte sent\n"
          "and received, with its time in milliseconds, to FILE.\n"
          "Exit status: 0 done, 1 the port cannot be opened, 2 reading failed, 64 bad usage,\n"
          "65 a file that cannot be written.",
          RunRead};
}

}  // namespace kestrel::cli
