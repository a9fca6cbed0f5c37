#include "document/CsvImport.h"

#include "platform/Error.h"
#include "platform/TextFile.h"

#include <algorithm>
namespace korbena {

QChar separatorChar(CsvSeparator separator)
{
    switch (separator) {
    case CsvSeparator::Comma:
        return u',';
    case CsvSeparator::Tab:
        return u'\t';
    case CsvSeparator::Space:
        return u' ';
    case CsvSeparator::Semicolon:
        return u';';
    }
    return u',';
}

QStringView SplitField(QStringView line, QChar separator, int n)
{
    QStringView rest = line;
    QStringView field;
    // n <= 0 walks to the end of the line.
    for (long long taken = 0; n <= 0 || taken < n; ++taken) {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0)
            return rest;
        field = rest.first(at);
        rest = rest.sliced(at + 1);
    }
    return field;
}

QStringList readCsvFile(const QString& path)
{
    return readTextLines(path, TextEncoding::Cp932OrUtf8);
}

void importCsvLines(DataList& grid, int startRow, const QStringList& lines, QChar separator, int column)
{
    // Row 0 is the header; a selection never starts above the first data row.
    const long long start = std::max(startRow, 1);
    const long long needed = start + lines.size();
    if (needed > DataList::kMaxRowCount)
        throw Error(DataList::kTooLargeMessage);
    if (grid.RowCount() < needed)
        grid.SetRowCount(needed);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto row = static_cast<int>(start + i);
        grid.setTitle(row, SplitField(lines[i], separator, column).toString());
        grid.setNumber(row, QString::number(row));
    }
}

} // namespace korbena
