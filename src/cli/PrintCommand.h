#pragma once

#include "sheet/SheetDocuments.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace korbena::cli {

// korbena-cli print [--style FILE] [--data FILE] [--out FILE.pdf | --printer NAME]
// [--copies N]: prints every page of the data list with the style, to a PDF file or
// to a printer. Without --style and --data the defaults in the working folder's conf
// are used; the working folder is made ready (and filled on first use) either way,
// as the label images are written there. Returns the exit code: 0 printed (a cell
// whose barcode could not be made is reported on err), 1 the files could not be
// read or the job was refused or failed, 2 bad arguments.
int runPrint(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kPrintUsage;

// Loads the sheet documents (the defaults of the working folder for empty paths);
// on failure writes the message to err and returns nothing.
std::optional<SheetDocuments> loadDocuments(const QString& styleFile, const QString& dataFile,
                                            std::FILE* err);

} // namespace korbena::cli
