// The reports as a PDF file: the same pages the printer gets, one report after another.
#pragma once

#include <QPageSize>
#include <QString>
#include <expected>
#include <string>

#include "model/radio_config.h"
#include "print/reports.h"

namespace kestrel::print {

// Writes the selected reports into the PDF file `path` on pages of `page_size`, with the
// printable area a typical printer leaves. The error says which file could not be written.
std::expected<void, std::string> WriteReportsPdf(
    const RadioConfig& record, const ReportSelection& selection, const QString& path,
    const QPageSize& page_size = QPageSize(QPageSize::A4));

}  // namespace kestrel::print
