// One 65-up A4 page (5 across, 13 down) composed and printed to PDF at 600 dpi, as
// QR Code labels against the same page of JAN labels: the two-dimensional symbols
// come from libzint and are drawn in whole-pixel modules, and should cost no more
// than twice the linear page.
#include "document/LabelStyle.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "sheet/PaperList.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"
#include "symbol/BarTypes.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

LabelStyle sheetOf(TBarTypes type)
{
    const QString path = QStringLiteral(KORBENA_SOURCE_DIR "/resources/style/A4-65-JAN.kbz");
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path), style, extras, path);
    style.symbol.symbology = static_cast<TBarTypes>(type);
    return style;
}

DataList pageRows(TBarTypes type)
{
    DataList rows;
    rows.SetRowCount(65 + 2);
    for (int k = 1; k <= 65; ++k) {
        rows.setTitle(k, QStringLiteral("商品 %1 サンプル").arg(k));
        rows.setNumber(k, type == cbarQR ? QStringLiteral("https://example.jp/item/%1 品番").arg(k)
                                         : QString::number(490000000000LL + k));
    }
    return rows;
}

void printPage(benchmark::State& state, TBarTypes type)
{
    QTemporaryDir temp;
    const QString data = temp.filePath(QStringLiteral("data"));
    QDir().mkpath(data + QStringLiteral("/barimage"));
    const LabelStyle style = sheetOf(type);
    const DataList rows = pageRows(type);
    PageComposer composer(data);
    PrintJobResult result;
    for (auto _ : state) {
        PdfFileTarget pdf(temp.filePath(QStringLiteral("page.pdf")), 600);
        ApplyPaperSettings(pdf, style.sheet.paper, style.sheet.orientation);
        const DeviceMetrics metrics = ReadDeviceMetrics(pdf, 96, 96);
        int currentPage = 1;
        result = PrintJob(pdf, composer, style, rows, metrics, PrintOptions{}, currentPage);
    }
    if (result.outcome != PrintOutcome::Printed || !result.message.isEmpty() || result.pagesPrinted != 1)
        state.SkipWithError("the page did not print cleanly");
}

void BM_Print65UpQrPage(benchmark::State& state)
{
    printPage(state, cbarQR);
}
void BM_Print65UpJanPage(benchmark::State& state)
{
    printPage(state, cbarJAN);
}
BENCHMARK(BM_Print65UpQrPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Print65UpJanPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
