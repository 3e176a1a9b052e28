#include "output_option.h"

#include <iostream>

#include "cli.h"
#include "files/path_text.h"

namespace kestrel::cli {

namespace {

constexpr std::string_view kStandardOutput = "-";

}  // namespace

std::expected<OutputFile, std::string> OpenOutput(const std::string& name) {
  if (name == kStandardOutput) return OutputFile::StandardOutput();
  auto output = OutputFile::Open(PathFromUtf8(name));
  if (!output)
    return std::unexpected("kestrel-cli: " + name + ": cannot be written: " + output.error());
  return output;
}

int WriteOutput(const std::string& name, std::string_view bytes) {
  auto output = OpenOutput(name);
  if (!output) {
    std::cerr << output.error() << "\n";
    return kExitData;
  }
  (void)output->Write(bytes);  // a failed write is reported again when the output is committed
  OutputFile* const outputs[]{&*output};
  if (auto committed = CommitTogether(outputs); !committed) {
    std::cerr << "kestrel-cli: " << committed.error() << "\n";
    return kExitData;
  }
  return kExitOk;
}

std::ostream& SummaryStream(const std::string& output_name) {
  return output_name == kStandardOutput ? std::cerr : std::cout;
}

}  // namespace kestrel::cli
