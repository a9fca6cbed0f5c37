// The detailed import of a product list kept as a spreadsheet: a 100,000-row .xlsx
// workbook (a shared-string name, a JAN code stored as a number in exponent form, a
// quantity), from the file to the rows the grid takes.
#include "WorkbookFiles.h"
#include "document/DetailedCsvImport.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

constexpr int kRows = 100'000;

QString writeWorkbook(const QTemporaryDir& dir)
{
    QByteArray sheet = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>品名</t></is></c>"
                       "<c r=\"B1\" t=\"inlineStr\"><is><t>JAN</t></is></c>"
                       "<c r=\"C1\" t=\"inlineStr\"><is><t>枚数</t></is></c></row>";
    QStringList names;
    for (int r = 2; r <= kRows + 1; ++r) {
        const QByteArray n = QByteArray::number(r);
        // 4.9012345nnnnnE12: thirteen digits as Excel stores a number it shows in exponent form.
        sheet += "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>" + QByteArray::number(r - 2) +
                 "</v></c><c r=\"B" + n + "\" s=\"1\"><v>4.9012345" + QByteArray::number(10000 + r % 90000) +
                 "E12</v></c><c r=\"C" + n + "\"><v>1</v></c></row>";
        names << QStringLiteral("商品名 %1 りんご").arg(r, 6, 10, QLatin1Char('0'));
    }
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    test::writeZip(path, test::xlsxWorkbook({{QStringLiteral("商品"), sheet}}, names));
    return path;
}

void BM_ImportXlsx100k(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeWorkbook(dir);
    enableSpreadsheetImport();
    for (auto _ : state) {
        const CsvRows rows = csvRows(readCsvTable(path, CsvFormat{}), CsvColumns{1, true, 1, 2, 3});
        if (rows.rows.size() != static_cast<std::size_t>(kRows) || rows.rows[0][1].size() != 13)
            state.SkipWithError("wrong rows");
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ImportXlsx100k)->Unit(benchmark::kMillisecond);

} // namespace
