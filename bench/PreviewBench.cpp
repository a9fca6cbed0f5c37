// One preview redraw as the window does it: a 65-label A4 sheet (5 across, 13 down)
// of JAN labels with titles and numbers at 120 per cent, every cell's symbol
// rendered and its image file rewritten, then the page composed onto the sheet.
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "symbol/BarTypes.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korbena;

LabelStyle sixtyFiveLabels()
{
    LabelStyle style;
    style.symbol.symbology = cbarJAN;
    style.sheet.across = 5;
    style.sheet.down = 13;
    style.sheet.pitchX = 38.1;
    style.sheet.pitchY = 21.2;
    style.placement.x = 4;
    style.placement.y = 8;
    style.placement.sizeMode = 1;
    style.placement.width = 30;
    style.placement.height = 9;
    style.title.x = 4;
    style.title.y = 2;
    style.title.fontSize = QStringLiteral("8");
    style.title.color = clBlack;
    style.title.centred = true;
    style.number.x = 8;
    style.number.y = 17.5;
    style.number.fontSize = QStringLiteral("7");
    style.number.color = clBlack;
    return style;
}

DeviceMetrics a4Printer()
{
    DeviceMetrics m;
    m.printerDpiX = m.printerDpiY = 600;
    m.screenDpiX = m.screenDpiY = 96;
    m.paperWidth = 210;
    m.paperHeight = 297;
    m.offsetX = m.offsetY = 4;
    m.printableWidth = 202;
    m.printableHeight = 289;
    return m;
}

void BM_PreviewPage65Labels(benchmark::State& state)
{
    QTemporaryDir data;
    PageComposer composer(data.path());
    const LabelStyle style = sixtyFiveLabels();
    const DeviceMetrics metrics = a4Printer();
    DataList rows;
    for (int k = 1; k <= 65; ++k) {
        rows.setTitle(k, QStringLiteral("商品 %1 サンプル").arg(k));
        rows.setNumber(k, QString::number(490123456000LL + k));
    }
    PreviewPage page;
    for (auto _ : state) {
        page = composer.composePreview(style, rows, metrics, 1, 120);
        benchmark::DoNotOptimize(page.image.constBits());
    }
    if (!page.result.message.isEmpty() || page.result.cellsDrawn != 65)
        state.SkipWithError("the page did not compose cleanly");
    state.counters["labels/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 65, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PreviewPage65Labels)->Unit(benchmark::kMillisecond);

} // namespace
