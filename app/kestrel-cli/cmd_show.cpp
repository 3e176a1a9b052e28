// kestrel-cli show: the printed reports of a data file as plain text.
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "print/report_names.h"
#include "print/text_canvas.h"

namespace kestrel::cli {

namespace {

int RunShow(std::span<const std::string> argv) {
  const Command command = ShowCommand();
  const auto args = ParseArgs(argv, {"--report"}, {});
  if (!args) return Usage(command);
  if (args->help) return Usage(command, true);
  if (args->positional.size() != 1) {
    std::cerr << "kestrel-cli show: give one data file\n";
    return Usage(command);
  }
  print::ReportSelection selection = print::kAllReports;
  if (const auto names = args->Value("--report")) {
    const auto chosen = print::ParseReportNames(*names);
    if (!chosen) {
      std::cerr << "kestrel-cli show: unknown report '" << *names
                << "' (setmode, memory or bands)\n";
      return kExitUsage;
    }
    selection = *chosen;
  }
  const std::string& path = args->positional[0];
  const auto record = LoadDataFile(PathFromUtf8(path), NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli show: " << record.error().ToString() << "\n";
    return kExitData;
  }
  print::TextCanvas canvas;
  print::PrintSelected(*record, selection, canvas);
  std::cout << canvas.Text();
  return std::cout.flush() ? kExitOk : kExitData;
}

}  // namespace

Command ShowCommand() {
  return {"show", "show FILE.dat [--report setmode|memory|bands]",
          "Prints the reports of a data file as plain text on stdout, one text line per report\n"
          "line, pages separated by a form feed: the Set Mode report, the memory channel report\n"
          "and the search band report, or only the one --report names.",
          RunShow};
}

}  // namespace kestrel::cli
