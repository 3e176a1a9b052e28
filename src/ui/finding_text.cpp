#include "ui/finding_text.h"

#include <QCoreApplication>

#include "model/display_texts.h"
#include "model/value_tables.h"

namespace kestrel::ui {

namespace {

QString Tr(const char* text) {
  return QCoreApplication::translate("Finding", text);
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString FindingLine(const Finding& finding, const QString& source) {
  QString place = source;
  const auto add = [&place](const QString& part) {
    if (!place.isEmpty()) place += QStringLiteral(", ");
    place += part;
  };
  const QString channel = finding.channel ? Latin1(ChannelNumberText(*finding.channel)) : QString();
  if (finding.line) add(Tr("line %1").arg(*finding.line));
  if (finding.channel) {
    // A list's line tells where the row is, the channel what it was meant for.
    if (finding.line) {
      place += Tr(" (channel %1)").arg(channel);
    } else {
      add(Tr("channel %1").arg(channel));
    }
  }
  if (finding.search_band) add(Tr("search band %1").arg(*finding.search_band));
  if (finding.set_mode) add(Tr("Set Mode %1").arg(Latin1(SetModeFunctionName(*finding.set_mode))));
  if (finding.factory) add(Tr("Factory Settings"));
  if (!finding.field.empty()) {
    const QString field = QString::fromStdString(finding.field);
    add(finding.line ? Tr("column %1").arg(field) : field);
  }
  const QString message = QString::fromStdString(finding.message);
  return place.isEmpty() ? message : place + QStringLiteral(": ") + message;
}

}  // namespace kestrel::ui
