// One preview redraw as the window does it: a 65-label A4 sheet (5 across, 13 down)
// of JAN labels with titles and numbers at 120 per cent, every cell's symbol
// rendered and its image file rewritten, then the page composed onto the sheet.
#include "platform/Allocator.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "symbol/BarTypes.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korbena;

LabelStyle sixtyFiveLabels()
{
    LabelStyle style;
    style.BARCODE_TYPE = cbarJAN;
    style.NUM_X = 5;
    style.NUM_Y = 13;
    style.INTERVAL_X = 38.1;
    style.INTERVAL_Y = 21.2;
    style.X_LOCATE = 4;
    style.Y_LOCATE = 8;
    style.SIZE = 1;
    style.SIZE_X = 30;
    style.SIZE_Y = 9;
    style.TITLE_X = 4;
    style.TITLE_Y = 2;
    style.TITLE_FONT_SIZE = QStringLiteral("8");
    style.TITLE_FONT_COLOE = clBlack;
    style.TITLE_CENTER = true;
    style.BARCODE_X = 8;
    style.BARCODE_Y = 17.5;
    style.BARCODE_FONT_SIZE = QStringLiteral("7");
    style.BARCODE_FONT_COLOR = clBlack;
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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    korbena::tuneAllocatorForPictures();
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
