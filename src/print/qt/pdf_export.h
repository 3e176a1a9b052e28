// The reports as a PDF file: the same pages the printer gets, one report after another.
#pragma once

#include <QPageSize>
#include <QString>
#include <expected>
#include <string>

#include "files/output_file.h"
#include "model/radio_config.h"
#include "print/reports.h"

namespace kestrel::print {

// Writes the selected reports as a PDF into `output` on pages of `page_size`, with the printable
// area a typical printer leaves, and commits it: a PDF that cannot be written completely leaves
// the target as it was. The error says why.
std::expected<void, std::string> WriteReportsPdf(
    const RadioConfig& record, const ReportSelection& selection, OutputFile& output,
    const QPageSize& page_size = QPageSize(QPageSize::A4));

// The same into the PDF file `path`; the error names the file and says why.
std::expected<void, std::string> WriteReportsPdf(
    const RadioConfig& record, const ReportSelection& selection, const QString& path,
    const QPageSize& page_size = QPageSize(QPageSize::A4));

}  // namespace kestrel::print
