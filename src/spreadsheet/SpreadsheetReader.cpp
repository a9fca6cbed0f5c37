#include "spreadsheet/SpreadsheetReader.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "spreadsheet/SpreadsheetCells.h"

#include <QBuffer>
#include <quazip.h>
#include <quazipfile.h>

#include <algorithm>

namespace korbena {

namespace spreadsheet {

namespace {

// A member larger than this is refused rather than unpacked: a sheet of a million
// rows of text stays well below it, a zip bomb does not.
constexpr quint64 kMostMemberBytes = 1ULL << 30;

} // namespace

bool RecordBuilder::startRow(qint64 row)
{
    if (full())
        return false;
    if (row < m_nextRow || row >= kMostRows)
        row = std::min(std::max(row, m_nextRow), kMostRows);
    m_row = row;
    m_cells.clear();
    return row < kMostRows;
}

void RecordBuilder::setCell(qint64 column, const QString& text)
{
    if (text.isEmpty() || column < 0 || column >= kMostColumns)
        return;
    while (m_cells.size() < column)
        m_cells.append(QString());
    if (m_cells.size() == column)
        m_cells.append(text);
    else
        m_cells[column] = text;
}

void RecordBuilder::push(const QStringList& record, qint64 row)
{
    m_table.records.push_back(record);
    m_table.recordLines.push_back(static_cast<int>(row + 1));
}

void RecordBuilder::endRow(qint64 copies)
{
    // An empty row is written only when a later row has cells: the records end at the
    // last row that has any.
    if (m_cells.isEmpty())
        return;
    while (m_nextRow < m_row && !full())
        push({}, m_nextRow++);
    for (qint64 k = 0; k < copies && m_nextRow < kMostRows && !full(); ++k)
        push(m_cells, m_nextRow++);
}

std::optional<QByteArray> zipMember(QuaZip& zip, const QString& name)
{
    if (!zip.setCurrentFile(name, QuaZip::csInsensitive))
        return std::nullopt;
    QuaZipFileInfo64 info;
    if (zip.getCurrentFileInfo(&info) && info.uncompressedSize > kMostMemberBytes)
        throw Error(notASpreadsheet(), name);
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.getZipError() != UNZ_OK)
        return std::nullopt;
    return bytes;
}

QString noSuchSheet(const QString& sheet)
{
    return QStringLiteral("シート「%1」がありません").arg(sheet);
}

QString notASpreadsheet()
{
    return QStringLiteral("表計算ファイル（.xlsx、.ods）として読めません");
}

} // namespace spreadsheet

namespace {

enum class Kind { Xlsx, Ods };

// Opens the container from the file's bytes; the kind is that of its contents,
// whatever the file's name says.
Kind openSpreadsheet(QuaZip& zip, const QString& path)
{
    if (!zip.open(QuaZip::mdUnzip))
        throw Error(spreadsheet::notASpreadsheet(), path);
    if (zip.setCurrentFile(QStringLiteral("xl/workbook.xml"), QuaZip::csInsensitive))
        return Kind::Xlsx;
    if (zip.setCurrentFile(QStringLiteral("content.xml")))
        return Kind::Ods;
    throw Error(spreadsheet::notASpreadsheet(), path);
}

} // namespace

QStringList spreadsheetSheetNames(const QString& path)
{
    QByteArray bytes = readWholeFile(path);
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    try {
        return openSpreadsheet(zip, path) == Kind::Xlsx ? spreadsheet::xlsxSheetNames(zip)
                                                        : spreadsheet::odsSheetNames(zip);
    } catch (const Error& e) {
        throw Error(e.message(), path);
    }
}

CsvTable readSpreadsheet(const QString& path, const QString& sheet, qsizetype maxRecords)
{
    QByteArray bytes = readWholeFile(path);
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    CsvTable table;
    table.fileName = path;
    table.encoding = CsvEncoding::Utf8;
    spreadsheet::RecordBuilder records(table, maxRecords);
    try {
        if (openSpreadsheet(zip, path) == Kind::Xlsx)
            spreadsheet::readXlsxSheet(zip, sheet, records);
        else
            spreadsheet::readOdsSheet(zip, sheet, records);
    } catch (const Error& e) {
        throw Error(e.message(), path);
    }
    return table;
}

void enableSpreadsheetImport()
{
    setSpreadsheetReader(&readSpreadsheet);
}

QString plainDecimal(QStringView stored)
{
    const QStringView text = stored.trimmed();
    const qsizetype e = std::max(text.indexOf(u'E'), text.indexOf(u'e'));
    if (e <= 0)
        return stored.toString();
    bool ok = false;
    const int exponent = text.sliced(e + 1).toInt(&ok);
    QStringView mantissa = text.first(e);
    const bool negative = mantissa.startsWith(u'-');
    if (negative || mantissa.startsWith(u'+'))
        mantissa = mantissa.sliced(1);
    const qsizetype point = mantissa.indexOf(u'.');
    const QString digits =
        point < 0 ? mantissa.toString() : mantissa.first(point).toString().append(mantissa.sliced(point + 1));
    if (!ok || exponent < -400 || exponent > 400 || digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return stored.toString();
    // Where the decimal point falls among the digits once the exponent is applied.
    const qsizetype at = (point < 0 ? digits.size() : point) + exponent;
    QString whole, fraction;
    if (at <= 0) {
        fraction = QString(-at, u'0') + digits;
    } else if (at >= digits.size()) {
        whole = digits + QString(at - digits.size(), u'0');
    } else {
        whole = digits.first(at);
        fraction = digits.sliced(at);
    }
    while (whole.size() > 1 && whole.front() == u'0')
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString result = fraction.isEmpty() ? whole : whole + u'.' + fraction;
    if (negative && result != u"0")
        result.prepend(u'-');
    return result;
}

} // namespace korbena
