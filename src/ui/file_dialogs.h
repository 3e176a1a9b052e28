// The data file dialogs' settings, shared by Open, Save and Save As.
#pragma once

#include <QString>

namespace kestrel::ui {

QString OpenDialogTitle();  // " Load of data File"
QString SaveDialogTitle();  // " Save of data File"
QString DataFileFilter();   // "dat (*.dat)"
inline const QString kDataFileSuffix = QStringLiteral("dat");

// Where the first file dialog of a run starts (the later ones start in the folder last used): the
// folder of the current file; else the program's folder when it can be written; else the user's
// documents folder.
QString DataFileFolder(const QString& current_file, const QString& program_folder);

}  // namespace kestrel::ui
