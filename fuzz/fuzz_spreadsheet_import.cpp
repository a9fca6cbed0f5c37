// Arbitrary text as a clipboard block and as a CSV file, the options taken from the
// first bytes: reading never fails, a block written out reads back as itself, and
// the detailed import either gives rows that fit the grid or refuses with an error.
#include "document/DetailedCsvImport.h"
#include "document/Tsv.h"
#include "platform/Error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(size - 4));

    const korbena::CellBlock block = korbena::parseTsv(QString::fromUtf8(bytes));
    if (korbena::parseTsv(korbena::writeTsv(block)) != block)
        __builtin_trap();

    korbena::CsvFormat format;
    if (data[0] % 5 < 4)
        format.separator = static_cast<korbena::CsvSeparator>(data[0] % 5);
    format.encoding = static_cast<korbena::CsvEncoding>(data[1] % 3);
    format.quoting = data[1] & 0x80;
    korbena::CsvColumns columns;
    columns.titleColumn = data[2] % 4;
    columns.numberColumn = data[2] / 4 % 4;
    columns.quantityColumn = data[2] / 16 % 4;
    columns.header = data[2] & 0x80;
    columns.firstLine = 1 + data[3] % 4;
    try {
        const korbena::CsvTable table = korbena::parseCsvTable(bytes, format);
        const korbena::CsvRows rows = korbena::csvRows(table, columns, 5000);
        korbena::DataList list;
        const korbena::CellArea area = korbena::placeCsvRows(list, 1 + data[3] / 4, rows);
        if (!rows.rows.empty() && list.RowCount() <= area.lastRow)
            __builtin_trap();
    } catch (const korbena::Error&) {
    }
    return 0;
}
