#pragma once

#include "document/DataList.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace korbena {

// The separators of the CSV dialog, in the order of its buttons.
enum class CsvSeparator { Comma = 0, Tab = 1, Space = 2, Semicolon = 3 };

QChar separatorChar(CsvSeparator separator);

// Field n (1-based) of a line: fields are the pieces between separators, the last
// piece running to the end of the line. A line with fewer than n fields gives its
// last field, and so does any n <= 0. Quotes have no meaning.
QStringView SplitField(QStringView line, QChar separator, int n);

// The lines of a CSV file. Files are code page 932, but one that is plainly UTF-8
// (a byte-order mark, or valid UTF-8 with non-ASCII bytes) is read as UTF-8, as
// most CSV files made today are. Throws FileError when it cannot be read.
QStringList readCsvFile(const QString& path);

// Fills the title column from one field of each line, one row per line from
// `startRow` on, empty lines included; each row's barcode number becomes its row
// number. RowCount grows so that every line gets a shown row. Throws
// Error("グリッドが大きすぎます") with the grid unchanged when they would not fit.
void importCsvLines(DataList& grid, int startRow, const QStringList& lines, QChar separator, int column);

} // namespace korbena
