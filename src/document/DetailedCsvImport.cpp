#include "document/DetailedCsvImport.h"

#include "document/DataFile.h"
#include "document/HalfWidth.h"
#include "document/ValueText.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/TextCodec932.h"
#include "platform/TextFile.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <map>

namespace korbena {

namespace {

constexpr qsizetype kDetectionRecords = 50;

bool isBlankRecord(const QStringList& record)
{
    return std::all_of(record.begin(), record.end(), [](const QString& field) { return field.isEmpty(); });
}

// How well a separator splits a sample: the share of non-blank records that have
// the most common field count, when that count is two or more; 0 otherwise.
// Records where the separator breaks a quoted field do not count.
double splitScore(QStringView sample, QChar separator, bool quoting)
{
    const CellBlock records = parseDelimited(sample, separator, quoting, kDetectionRecords);
    std::map<qsizetype, int> counts;
    int total = 0;
    for (const QStringList& record : records) {
        if (isBlankRecord(record))
            continue;
        ++total;
        // A field still starting with a quote lost its closing quote to this
        // separator: it splits a quoted field, so the record does not count for it.
        const bool splitsQuotes = quoting && std::any_of(record.begin(), record.end(),
                                                         [](const QString& f) { return f.startsWith(u'"'); });
        if (!splitsQuotes)
            ++counts[record.size()];
    }
    qsizetype modalCount = 0;
    int modalRecords = 0;
    for (const auto& [fields, records] : counts)
        if (records > modalRecords) {
            modalCount = fields;
            modalRecords = records;
        }
    if (total == 0 || modalCount < 2)
        return 0;
    return static_cast<double>(modalRecords) / total;
}

QString columnMissing(int column)
{
    return QStringLiteral("CSVファイルに%1列目がありません").arg(column);
}

SpreadsheetReader g_spreadsheetReader = nullptr;

// A number written with an exponent, as spreadsheets save long numbers in CSV:
// "4.90123E+12", "4.9E12", "1e+13".
bool isExponentNumber(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i > from;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    if (!digits())
        return false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        digits();
    }
    if (i >= text.size() || (text[i] != u'E' && text[i] != u'e'))
        return false;
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    return digits() && i == text.size();
}

// Barcode numbers that a spreadsheet wrote in exponent form have lost their last
// digits: refused with the lines named, never turned into barcodes.
void refuseExponentNumbers(const CsvTable& table, const CsvColumns& columns, std::size_t first)
{
    constexpr qsizetype kNamed = 10;
    QStringList lines;
    QString example;
    qsizetype count = 0;
    for (std::size_t i = first; i < table.records.size(); ++i) {
        const QStringList& record = table.records[i];
        const int c = columns.numberColumn;
        if (c < 1 || c > record.size() || !isExponentNumber(record[c - 1]))
            continue;
        if (example.isEmpty())
            example = record[c - 1].trimmed();
        if (++count <= kNamed)
            lines << QString::number(i < table.recordLines.size() ? table.recordLines[i] : int(i + 1));
    }
    if (count == 0)
        return;
    QString where = lines.join(QStringLiteral(", ")) + QStringLiteral(" 行目");
    if (count > kNamed)
        where += QStringLiteral("ほか %1 行").arg(count - kNamed);
    throw Error(QStringLiteral("バーコード番号が指数形式（%1）で、桁が失われています: %2。"
                               "表計算ソフトで保存したCSVではなく、元の表計算ファイル（.xlsx、.ods）を"
                               "取り込んでください。")
                    .arg(example, where),
                table.fileName);
}

} // namespace

int CsvTable::widestRecord() const
{
    qsizetype widest = 0;
    for (const QStringList& record : records)
        widest = std::max(widest, record.size());
    return static_cast<int>(widest);
}

CsvEncoding detectCsvEncoding(QByteArrayView bytes)
{
    return looksLikeUtf8(bytes) ? CsvEncoding::Utf8 : CsvEncoding::Cp932;
}

QString decodeCsvText(QByteArrayView bytes, CsvEncoding encoding)
{
    if (encoding == CsvEncoding::Auto)
        encoding = detectCsvEncoding(bytes);
    if (encoding == CsvEncoding::Cp932)
        return cp932::decode(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return QString::fromUtf8(bytes);
}

CsvSeparator detectSeparator(QStringView text, bool quoting)
{
    constexpr std::array preferred{CsvSeparator::Tab, CsvSeparator::Comma, CsvSeparator::Semicolon};
    CsvSeparator best = CsvSeparator::Comma;
    double bestScore = 0;
    for (const CsvSeparator candidate : preferred) {
        const double score = splitScore(text, separatorChar(candidate), quoting);
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    if (bestScore == 0 && splitScore(text, separatorChar(CsvSeparator::Space), quoting) > 0)
        return CsvSeparator::Space;
    return best;
}

CsvTable parseCsvTable(QByteArrayView bytes, const CsvFormat& format, qsizetype maxRecords)
{
    CsvTable table;
    table.encoding = format.encoding == CsvEncoding::Auto ? detectCsvEncoding(bytes) : format.encoding;
    const QString text = decodeCsvText(bytes, table.encoding);
    table.separator = format.separator ? *format.separator : detectSeparator(text, format.quoting);
    table.records =
        parseDelimited(text, separatorChar(table.separator), format.quoting, maxRecords, &table.recordLines);
    return table;
}

bool isSpreadsheetFile(const QString& path)
{
    return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ||
           path.endsWith(QStringLiteral(".ods"), Qt::CaseInsensitive);
}

void setSpreadsheetReader(SpreadsheetReader reader)
{
    g_spreadsheetReader = reader;
}

CsvTable readCsvTable(const QString& path, const CsvFormat& format, qsizetype maxRecords)
{
    if (isSpreadsheetFile(path)) {
        if (!g_spreadsheetReader)
            throw Error(QStringLiteral("表計算ファイルは読み込めません"), path);
        CsvTable table = g_spreadsheetReader(path, format.sheet, maxRecords);
        table.fileName = path;
        return table;
    }
    const QByteArray bytes = readWholeFile(path);
    // Asked for UTF-8, a file in another encoding would come in as replacement characters.
    if (format.encoding == CsvEncoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        if (utf8.hasError())
            throw Error(QStringLiteral("UTF-8 のファイルではありません"), path);
    }
    CsvTable table = parseCsvTable(bytes, format, maxRecords);
    table.fileName = path;
    return table;
}

CsvRows csvRows(const CsvTable& table, const CsvColumns& columns, qsizetype maxRows)
{
    if (columns.titleColumn < 1)
        throw Error(QStringLiteral("タイトルの列は1以上で指定してください"));
    if (columns.numberColumn < 0 || columns.quantityColumn < 0)
        throw Error(QStringLiteral("列は1以上で指定してください"));
    const int widest = table.widestRecord();
    if (widest > 0) {
        for (const int column : {columns.titleColumn, columns.numberColumn, columns.quantityColumn})
            if (column > widest)
                throw Error(columnMissing(column), table.fileName);
    }

    CsvRows result;
    result.serialNumbering = columns.numberColumn == 0;
    const auto field = [](const QStringList& record, int column) {
        return column >= 1 && column <= record.size() ? record[column - 1] : QString();
    };
    std::size_t first = static_cast<std::size_t>(std::max(columns.firstLine, 1) - 1);
    if (columns.header && first < table.records.size())
        result.headings = table.records[first++];
    if (!result.serialNumbering)
        refuseExponentNumbers(table, columns, first);
    // The grid's last data row bounds what an import can give.
    constexpr long long kMostRows = DataList::kMaxRowCount - 1;
    long long total = 0;
    for (std::size_t i = first; i < table.records.size(); ++i) {
        if (maxRows >= 0 && total >= maxRows)
            break;
        const QStringList& record = table.records[i];
        if (isBlankRecord(record)) {
            ++result.skippedBlankRecords;
            continue;
        }
        long long copies = 1;
        if (columns.quantityColumn > 0) {
            const QString quantity = toHalfWidthNumber(field(record, columns.quantityColumn).trimmed());
            if (!quantity.isEmpty()) {
                const auto value = readInteger32(quantity);
                const int line =
                    i < table.recordLines.size() ? table.recordLines[i] : static_cast<int>(i + 1);
                if (!value || *value < 0)
                    throw ConversionError(ConversionError::Expected::Integer, quantity, table.fileName, line);
                copies = *value;
            }
        }
        if (total + copies > kMostRows)
            throw Error(DataList::kTooLargeMessage);
        if (maxRows >= 0)
            copies = std::min(copies, maxRows - total);
        const QStringList row{field(record, columns.titleColumn),
                              result.serialNumbering ? QString() : field(record, columns.numberColumn)};
        const long long line = i < table.recordLines.size() ? table.recordLines[i] : i + 1;
        if (row[0].size() > kMaxLineLength || row[1].size() > kMaxLineLength)
            throw tooLongError(table.fileName, line);
        refuseSeparatorInNumber(row[1], line, table.fileName);
        for (long long k = 0; k < copies; ++k)
            result.rows.push_back(row);
        total += copies;
    }
    return result;
}

CellArea placeCsvRows(DataList& list, int startRow, const CsvRows& rows)
{
    return pasteCells(list, startRow, kTitleColumn, rows.rows);
}

} // namespace korbena
