// kestrel-cli decode: a memory image into a data file, as a read from a receiver decodes it.
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "files/image_file.h"
#include "files/path_text.h"
#include "image/decoder.h"
#include "model/defaults.h"
#include "output_option.h"

namespace kestrel::cli {

namespace {

int RunDecode(std::span<const std::string> argv) {
  const std::optional<Args> args = ParseArgs(argv, {"-o", "--output"}, {});
  if (!args) return Usage(DecodeCommand());
  if (args->help) return Usage(DecodeCommand(), true);
  const std::optional<std::string> output =
      args->Value("-o") ? args->Value("-o") : args->Value("--output");
  if (args->positional.size() != 1 || !output) return Usage(DecodeCommand());

  const auto image = LoadImageFile(PathFromUtf8(args->positional[0]));
  if (!image) {
    std::cerr << "kestrel-cli: " << image.error() << "\n";
    return kExitData;
  }
  RadioConfig record = NewConfiguration();
  const int in_use = MarkUsedChannels(*image, record);
  DecodeImage(*image, record);
  if (const int status = WriteOutput(*output, FormatDataFile(record)); status != kExitOk)
    return status;
  SummaryStream(*output) << *output << ": " << in_use << " programmed channels\n";
  return kExitOk;
}

}  // namespace

Command DecodeCommand() {
  return {
      "decode",
      "decode IMAGE.bin -o FILE.dat",
      "Decodes a 20128-byte memory image into FILE.dat as a read from a receiver does: the\n"
      "channels marked in the image's channel bitmap are in use, every other channel is empty,\n"
      "and the rest of the configuration comes from the image. -o - writes it to standard\n"
      "output.",
      RunDecode,
  };
}

}  // namespace kestrel::cli
