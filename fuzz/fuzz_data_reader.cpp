// Arbitrary bytes as a data file: decoded from code page 932 and read into a grid.
// The reader either loads or stops with its error, never shrinks the grid, keeps
// every row number below 1 away from the data rows, and a grid it filled writes and
// reads back the same, a ';' in a cell coming back as the full-width '；'.
#include "document/DataFile.h"
#include "document/ValueText.h"
#include "platform/Error.h"
#include "platform/TextCodec932.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = korbena::splitLines(korbena::cp932::decode(bytes));

    korbena::DataList grid;
    grid.SetRowCount(2 + (size % 7));
    const int before = grid.RowCount();
    try {
        korbena::applyDataLines(lines, grid, QStringLiteral("fuzz.lst"));
    } catch (const korbena::Error& error) {
        if (error.message().isEmpty())
            __builtin_trap();
    }
    if (grid.RowCount() < before || grid.title(0) != korbena::DataList::kTitleHeader ||
        grid.number(0) != korbena::DataList::kNumberHeader)
        __builtin_trap();

    const QStringList written = korbena::dataFileLines(grid);
    if (written.size() != grid.RowCount())
        __builtin_trap();
    korbena::DataList again;
    korbena::applyDataLines(written, again, QStringLiteral("again.lst"));
    for (int row = 1; row <= grid.RowCount(); ++row) {
        korbena::DataRow cells = grid.dataRow(row);
        cells.title.replace(u';', u'；');
        cells.number.replace(u';', u'；');
        if (!(again.dataRow(row) == cells))
            __builtin_trap();
    }
    return 0;
}
