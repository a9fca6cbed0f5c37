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
    const auto field = [](const QString& text) {
        return text.contains(u';') ? QString(text).replace(u';', u'；') : text;
    };
    return kDataListKey % QString::number(row) % u';' % field(title) % u';' % field(number) % u';';
}

void refuseSeparatorInNumber(const QString& number, long long row, const QString& fileName)
{
    if (number.contains(u';'))
        throw Error(
            QStringLiteral("行 %1: バーコード番号に「;」は使えません（データファイルの区切り文字です）")
                .arg(row),
            fileName);
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
    // A blank line names no row; taken for one it would stop the load.
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    // An empty file is an empty list; a file of other lines is no data file at all.
    const bool data = lines.isEmpty() || std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
                          return line.startsWith(kDataListKey);
                      });
    if (!data)
        throw Error(QStringLiteral("データファイルではありません: ") + path);
    return lines;
}

std::vector<DataRow> applyDataLines(const QStringList& lines, DataList& grid, const QString& fileName)
{
    std::vector<int> past;
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
        if (*row >= grid.RowCount())
            past.push_back(*row);
    }
    std::sort(past.begin(), past.end());
    past.erase(std::unique(past.begin(), past.end()), past.end());
    std::vector<DataRow> loaded;
    for (const int row : past) {
        if (!grid.title(row).isEmpty() || !grid.number(row).isEmpty())
            loaded.push_back(grid.dataRow(row));
    }
    return loaded;
}

std::vector<DataRow> unshownRows(const std::vector<DataRow>& loaded, const DataList& grid)
{
    std::vector<DataRow> rows;
    for (const DataRow& row : loaded) {
        if (row.row >= grid.RowCount() && grid.dataRow(row.row) == row)
            rows.push_back(row);
    }
    return rows;
}

QString unshownRowMessage(const DataRow& row, const DataList& grid)
{
    return QStringLiteral("行 %1 は印刷されません: リストは行 %2 までです（データファイルの最後の行は"
                          "リストの外の空き行として読み込まれます）: 文字列「%3」 番号「%4」")
        .arg(row.row)
        .arg(grid.RowCount() - 1)
        .arg(row.title, row.number);
}

} // namespace korbena
