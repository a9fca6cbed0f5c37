#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"

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

// The style and data list a sheet command works on, and where they came from.
struct SheetDocuments
{
    QString dataFolder;
    QString installFolder;
    QString styleFile;
    QString dataFile;
    LabelStyle style;
    DataList rows;
};

// Prepares the working folder and loads the style and the data list (the defaults of
// conf for empty paths). On failure writes the message to err and returns nothing.
std::optional<SheetDocuments> loadSheetDocuments(const QString& styleFile, const QString& dataFile,
                                                 std::FILE* err);

// The screen's resolution in dots per inch, as the preview lays the sheet out at;
// 96 without a screen.
int screenDpiX();
int screenDpiY();

} // namespace korbena::cli
