#pragma once

#include <QString>
#include <QStringList>

namespace korbena {

// What the window opens at start: the desktop passes one style (.kbz) or data list
// (.lst) file, as a path or a file:// address. Empty paths mean the remembered files.
struct DocumentArguments
{
    QString styleFile;
    QString dataFile;
    QString error; // not empty: the arguments cannot be used, and nothing is opened
};

// Reads the window's arguments (without the program name). A file is a style or a
// data list by its extension; another extension is decided by the file's first line
// ("[DATA_LIST]=" opens a data list, anything else a style, as KORBENA.dat is).
DocumentArguments documentArguments(const QStringList& args);

} // namespace korbena
