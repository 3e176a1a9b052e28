// The window's port choice in the settings file: the numbered COM port ("COMport", 1 to 4) and,
// for a port chosen from the system's list, its device name.
#pragma once

#include <QString>

namespace kestrel::ui {

// The stored port number; 1 when the file or the key is missing.
int LoadComPort(const QString& settings_file);
void SaveComPort(const QString& settings_file, int port);

// The stored device name; "" when none was chosen.
QString LoadComPortName(const QString& settings_file);
void SaveComPortName(const QString& settings_file, const QString& device);

}  // namespace kestrel::ui
