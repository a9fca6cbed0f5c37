#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace korbena {

// The style and data list a sheet is printed from, and where they came from.
struct SheetDocuments
{
    QString dataFolder;
    QString installFolder;
    QString styleFile;
    QString dataFile;
    LabelStyle style;
    DataList rows;
    // Rows the data file fills that lie past the list, so they are not printed.
    std::vector<DataRow> unshownRows;
};

// Prepares the working folder and loads the style and the data list (the defaults of
// conf for empty paths). On failure `error` holds the message and nothing is returned.
std::optional<SheetDocuments> loadSheetDocuments(const QString& styleFile, const QString& dataFile,
                                                 QString& error);

// The message for a working folder whose template folders `unfilled` could not be
// copied from `installFolder`: they are left to a later run.
QString missingTemplatesMessage(const QString& installFolder, const QString& dataFolder,
                                const QStringList& unfilled);

// The screen's resolution in dots per inch, as the preview lays the sheet out at;
// 96 without a screen.
int screenDpiX();
int screenDpiY();

} // namespace korbena
