// kestrel-cli print: the printed reports of a data file as a PDF, painted by the same canvas
// as the printer, without a display.
#include <QGuiApplication>
#include <QPageSize>
#include <iostream>

#include "commands.h"
#include "files/data_file.h"
#include "files/path_text.h"
#include "model/defaults.h"
#include "output_option.h"
#include "print/qt/pdf_export.h"
#include "print/report_names.h"

namespace kestrel::cli {

namespace {

std::optional<QPageSize> PaperNamed(const std::string& name) {
  if (name == "a4" || name == "A4") return QPageSize(QPageSize::A4);
  if (name == "letter" || name == "Letter") return QPageSize(QPageSize::Letter);
  return std::nullopt;
}

int RunPrint(std::span<const std::string> argv) {
  const Command command = PrintCommand();
  const auto args = ParseArgs(argv, {"--pdf", "--reports", "--paper"}, {});
  if (!args) return Usage(command);
  if (args->help) return Usage(command, true);
  const auto pdf = args->Value("--pdf");
  if (args->positional.size() != 1 || !pdf) {
    std::cerr << "kestrel-cli print: give one data file and --pdf OUT.pdf\n";
    return Usage(command);
  }
  print::ReportSelection selection = print::kAllReports;
  if (const auto names = args->Value("--reports")) {
    const auto chosen = print::ParseReportNames(*names);
    if (!chosen) {
      std::cerr << "kestrel-cli print: bad --reports '" << *names
                << "' (a comma list of setmode, memory, bands)\n";
      return kExitUsage;
    }
    selection = *chosen;
  }
  const auto paper = PaperNamed(args->Value("--paper").value_or("a4"));
  if (!paper) {
    std::cerr << "kestrel-cli print: --paper is a4 or letter\n";
    return kExitUsage;
  }
  const std::string& path = args->positional[0];
  const auto record = LoadDataFile(PathFromUtf8(path), NewConfiguration());
  if (!record) {
    std::cerr << "kestrel-cli print: " << record.error().ToString() << "\n";
    return kExitData;
  }
  auto output = OpenOutput(*pdf);
  if (!output) {
    std::cerr << output.error() << "\n";
    return kExitData;
  }

  // Fonts and paint devices need a GUI application; the offscreen platform needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  char program_name[] = "kestrel-cli";
  char* qt_argv[] = {program_name, nullptr};
  const QGuiApplication application(qt_argc, qt_argv);

  if (auto written = print::WriteReportsPdf(*record, selection, *output, *paper); !written) {
    std::cerr << "kestrel-cli: " << *pdf << ": cannot be written: " << written.error() << "\n";
    return kExitData;
  }
  return kExitOk;
}

}  // namespace

Command PrintCommand() {
  return {"print",
          "print FILE.dat --pdf OUT.pdf [--reports setmode,memory,bands] [--paper a4|letter]",
          "Writes the reports of a data file into a PDF file, page for page as the printer gets\n"
          "them: the Set Mode, memory channel and search band reports, or those --reports lists.\n"
          "The pages are A4 unless --paper letter; --pdf - writes the PDF to standard output.\n"
          "Needs no display.",
          RunPrint};
}

}  // namespace kestrel::cli
