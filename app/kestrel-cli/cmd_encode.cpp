// kestrel-cli encode: a data file into a memory image, as programming would encode it.
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "files/image_file.h"
#include "files/path_text.h"
#include "image/encoder.h"
#include "model/defaults.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

int RunEncode(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"-o", "--output", "--base"}, {});
  if (!args) return Usage(EncodeCommand());
  if (args->help) return Usage(EncodeCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (args->positional.size() != 1 || !output) return Usage(EncodeCommand());
  const std::string& input = args->positional[0];

  auto record = LoadDataFile(PathFromUtf8(input), NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli: " << record.error().ToString() << "\n";
    return kExitData;
  }
  MemoryImage image;
  if (const std::optional<std::string> base = args->Value("--base")) {
    auto loaded = LoadImageFile(PathFromUtf8(*base));
    if (!loaded) {
      std::cerr << "kestrel-cli: " << loaded.error() << "\n";
      return kExitData;
    }
    image = *loaded;
  }
  const auto programmed = EncodeImage(*record, image);
  if (!programmed) {
    std::cerr << "kestrel-cli: " << input << " cannot be encoded:\n";
    for (const Finding& problem : programmed.error()) {
      std::cerr << "  " << FindingText(problem) << "\n";
    }
    return kExitData;
  }
  if (const int status = WriteOutput(*output, ImageFileBytes(image)); status != kExitOk)
    return status;
  SummaryStream(*output) << *output << ": " << *programmed << " programmed channels\n";
  return kExitOk;
}

}  // namespace

Command EncodeCommand() {
  return {
      "encode",
      "encode FILE.dat -o IMAGE.bin [--base IMAGE.bin]",
      "Encodes the configuration in FILE.dat into a 20128-byte memory image, as programming a\n"
      "receiver does, and writes it to IMAGE.bin. The encoder writes only its own areas; every\n"
      "other byte comes from the --base image (zeros without one). A configuration holding\n"
      "values the receiver cannot store is refused with each of them listed (exit status 65).\n"
      "-o - writes the image to standard output.",
      RunEncode,
  };
}

}  // namespace kestrel::cli
