#include "document/DataFile.h"

#include "document/ValueText.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QStringBuilder>

#include <algorithm>
#include <climits>

namespace korbena {

namespace {

constexpr QStringView kDataListKey = u"[DATA_LIST]=";

} // namespace

QStringView PopField(QStringView text, QStringView& FieldRest)
{
    const qsizetype separator = text.indexOf(u';');
    if (separator < 0) {
        FieldRest = text;
        return text;
    }
    const QStringView field = text.first(separator);
    FieldRest = text.sliced(separator + 1);
    return field;
}

QString dataFileLine(int row, const QString& title, const QString& number)
{
    return kDataListKey % QString::number(row) % u';' % title % u';' % number % u';';
}

QStringList dataFileLines(const DataList& grid)
{
    QStringList lines;
    const int rowCount = grid.RowCount();
    lines.reserve(rowCount);
    for (int row = 1; row <= rowCount; ++row)
        lines.append(dataFileLine(row, grid.title(row), grid.number(row)));
    return lines;
}

void writeDataFile(const QString& path, const DataList& grid)
{
    writeTextLines(path, dataFileLines(grid));
}

QStringList readDataFile(const QString& path)
{
    QStringList lines = readTextLines(path);
    // An empty file is an empty list; a file of other lines is no data file at all.
    const bool data = lines.isEmpty() || std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
                          return line.startsWith(kDataListKey);
                      });
    if (!data)
        throw Error(QStringLiteral("データファイルではありません: ") + path);
    return lines;
}

void applyDataLines(const QStringList& lines, DataList& grid, const QString& fileName)
{
    if (grid.RowCount() < lines.size())
        grid.SetRowCount(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        QStringView rest = line.sliced(line.indexOf(u'=') + 1); // the key is not compared
        const QStringView rowText = PopField(rest, rest);
        const auto row = readInteger32(rowText);
        if (!row) {
            throw ConversionError(ConversionError::Expected::Integer, rowText, fileName,
                                  static_cast<int>(std::min<qsizetype>(i + 1, INT_MAX)));
        }
        const QStringView title = PopField(rest, rest);
        const QStringView number = PopField(rest, rest);
        if (!DataList::isDataRow(*row))
            continue;
        grid.setTitle(*row, title.toString());
        grid.setNumber(*row, number.toString());
    }
}

} // namespace korbena
