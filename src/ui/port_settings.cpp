#include "ui/port_settings.h"

#include <QFile>
#include <QStringList>

#include "model/number_text.h"

namespace kestrel::ui {

// A stand-in for the settings file layer until it is part of the build: it keeps every other
// line of the file and edits one key of the COM_SETTINGS section in place.
namespace {

const QString kSection = QStringLiteral("[COM_SETTINGS]");

QStringList ReadLines(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromLatin1(in.readAll());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QString ReadValue(const QString& file, const QString& key, const QString& fallback) {
  bool in_section = false;
  for (const QString& line : ReadLines(file)) {
    if (line.startsWith('[')) in_section = line.trimmed() == kSection;
    if (in_section && line.startsWith(key + '=')) return line.mid(key.size() + 1);
  }
  return fallback;
}

void WriteValue(const QString& file, const QString& key, const QString& value) {
  QStringList lines = ReadLines(file);
  qsizetype section = lines.indexOf(kSection);
  if (section < 0) {
    lines << kSection;
    section = lines.size() - 1;
  }
  qsizetype end = section + 1;
  for (; end < lines.size() && !lines[end].startsWith('['); ++end) {
    if (lines[end].startsWith(key + '=')) {
      lines[end] = key + '=' + value;
      break;
    }
  }
  if (end == lines.size() || lines[end].startsWith('[')) lines.insert(end, key + '=' + value);
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;  // silent, as specified
  out.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
}

}  // namespace

int LoadComPort(const QString& settings_file) {
  const auto value = ParseWholeNumber(ReadValue(settings_file, "COMport", "1").toStdString());
  return value ? static_cast<int>(*value) : 1;
}

void SaveComPort(const QString& settings_file, int port) {
  WriteValue(settings_file, "COMport", QString::fromStdString(SignReservedText(port)));
}

QString LoadComPortName(const QString& settings_file) {
  return ReadValue(settings_file, "COMportName", "").trimmed();
}

void SaveComPortName(const QString& settings_file, const QString& device) {
  WriteValue(settings_file, "COMportName", device);
}

}  // namespace kestrel::ui
