// Getting lists in at the scale of real product lists: a block of 10,000 spreadsheet
// rows pasted from the clipboard into the data list (reading the clipboard text and
// writing the cells), copying it back out, and the detailed import of a 100,000-line
// CSV file in code page 932 with quoted titles and a quantity column, from the file's
// bytes to the rows placed in the grid.
#include "document/DataList.h"
#include "document/DetailedCsvImport.h"
#include "document/Tsv.h"
#include "platform/TextCodec932.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

constexpr int kPastedRows = 10'000;
constexpr int kCsvLines = 100'000;

// What a spreadsheet puts on the clipboard for a name column and a JAN column, with a
// quoted cell now and then.
QString clipboardText(int rows)
{
    QString text;
    for (int r = 1; r <= rows; ++r) {
        if (r % 10 == 0)
            text += QStringLiteral("\"商品 \"\"%1\"\"\n二行目\"").arg(r);
        else
            text += QStringLiteral("商品名 %1 りんご").arg(r, 6, 10, QLatin1Char('0'));
        text += QStringLiteral("\t4901234%1\r\n").arg(r, 6, 10, QLatin1Char('0'));
    }
    return text;
}

void BM_PasteSpreadsheetRows(benchmark::State& state)
{
    const QString text = clipboardText(kPastedRows);
    for (auto _ : state) {
        DataList list;
        const CellArea area = pasteCells(list, 1, kTitleColumn, parseTsv(text));
        benchmark::DoNotOptimize(area);
    }
    state.counters["rows"] = kPastedRows;
}
BENCHMARK(BM_PasteSpreadsheetRows)->Unit(benchmark::kMillisecond);

void BM_CopySpreadsheetRows(benchmark::State& state)
{
    DataList list;
    pasteCells(list, 1, kTitleColumn, parseTsv(clipboardText(kPastedRows)));
    for (auto _ : state) {
        const QString text = writeTsv(copyCells(list, 1, kPastedRows, kTitleColumn, kNumberColumn));
        benchmark::DoNotOptimize(text);
    }
    state.counters["rows"] = kPastedRows;
}
BENCHMARK(BM_CopySpreadsheetRows)->Unit(benchmark::kMillisecond);

void BM_ImportCsvFile(benchmark::State& state)
{
    QString text = QStringLiteral("品名,JAN,枚数\r\n");
    for (int line = 1; line < kCsvLines; ++line) {
        if (line % 7 == 0)
            text += QStringLiteral("\"商品 %1, 徳用\",4901234%2,1\r\n")
                        .arg(line)
                        .arg(line, 6, 10, QLatin1Char('0'));
        else
            text += QStringLiteral("商品名 %1 りんご,4901234%2,\r\n")
                        .arg(line)
                        .arg(line, 6, 10, QLatin1Char('0'));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(cp932::encode(text));
    }
    CsvColumns columns;
    columns.header = true;
    columns.quantityColumn = 3;
    for (auto _ : state) {
        const CsvTable table = readCsvTable(path, CsvFormat{});
        const CsvRows rows = csvRows(table, columns);
        DataList list;
        const CellArea area = placeCsvRows(list, 1, rows);
        benchmark::DoNotOptimize(area);
    }
    state.counters["lines"] = kCsvLines;
}
BENCHMARK(BM_ImportCsvFile)->Unit(benchmark::kMillisecond);

} // namespace
