// Arbitrary bytes as a CSV file, with the separator, the title column and the start
// row taken from the first bytes: every line fills its row with the field
// SplitField picks, which is a piece of the line without a separator in it.
#include "document/CsvImport.h"
#include "platform/Error.h"
#include "platform/TextCodec932.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const auto separator = korbena::separatorChar(static_cast<korbena::CsvSeparator>(data[0] % 4));
    const int column = static_cast<int>(static_cast<std::int8_t>(data[1])) % 12;
    const int startRow = 1 + data[2] % 120;
    QByteArrayView bytes(reinterpret_cast<const char*>(data + 3), static_cast<qsizetype>(size - 3));
    QString text;
    if (korbena::looksLikeUtf8(bytes))
        text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes);
    else
        text = korbena::cp932::decode(bytes);
    const QStringList lines = korbena::splitLines(text);

    for (const QString& line : lines) {
        const QStringView field = korbena::SplitField(line, separator, column);
        if (field.contains(separator) || field.size() > line.size())
            __builtin_trap();
        if (field.data() < line.constData() || field.data() + field.size() > line.constData() + line.size())
            __builtin_trap();
    }

    korbena::DataList grid;
    grid.setTitle(1, QStringLiteral("above"));
    korbena::importCsvLines(grid, startRow, lines, separator, column);
    if (grid.RowCount() < startRow + lines.size())
        __builtin_trap();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto row = static_cast<int>(startRow + i);
        if (grid.title(row) != korbena::SplitField(lines[i], separator, column) ||
            grid.number(row) != QString::number(row))
            __builtin_trap();
    }
    if (startRow > 1 && grid.title(1) != QStringLiteral("above"))
        __builtin_trap();
    return 0;
}
