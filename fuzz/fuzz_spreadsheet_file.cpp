// Arbitrary bytes as an .xlsx or .ods file, and the same bytes as the sheet XML of a
// well-formed workbook: the reader gives records or refuses with an error, never more
// rows or columns than a sheet can have.
#include "WorkbookFiles.h"
#include "document/DetailedCsvImport.h"
#include "platform/Error.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

void readBack(const QString& path)
{
    try {
        const korbena::CsvTable table = korbena::readSpreadsheet(path);
        if (table.records.size() > 1'048'576 || table.widestRecord() > 16'384 ||
            table.records.size() != table.recordLines.size())
            __builtin_trap();
        korbena::plainDecimal(table.records.empty() || table.records.front().isEmpty()
                                  ? QString()
                                  : table.records.front().front());
    } catch (const korbena::Error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* name : {"/fuzz.xlsx", "/fuzz.ods"}) {
        const QString path = dir.path() + QLatin1String(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
        file.close();
        readBack(path);
    }
    // The bytes inside a sound container: as a sheet's rows, as an OpenDocument table.
    const QString xlsx = dir.path() + QStringLiteral("/inner.xlsx");
    if (korbena::test::writeZip(xlsx,
                                korbena::test::xlsxWorkbook({{QStringLiteral("s"), bytes}}, {"a", "b"})))
        readBack(xlsx);
    const QString ods = dir.path() + QStringLiteral("/inner.ods");
    if (korbena::test::writeZip(ods, korbena::test::odsDocument({{QStringLiteral("t"), bytes}})))
        readBack(ods);
    korbena::plainDecimal(QString::fromUtf8(bytes));
    return 0;
}
