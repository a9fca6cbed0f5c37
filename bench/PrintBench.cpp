// Printing a long run of labels to PDF: the shipped 65-label A4 sheet of JAN labels
// (5 across, 13 down, 38.1 x 21.2 mm) with titles and numbers, every page composed
// at 600 dpi, its 65 symbols rendered and their image files rewritten beside it, as a
// printer page is, the files waited for at the end of the job. Reports labels per
// second, the PDF bytes per page and the peak resident memory of the process, which
// must not grow with the number of rows.
#include "document/LabelStyle.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"
#include "sheet/PaperList.h"
#include "sheet/PrintJob.h"
#include "sheet/PrintTarget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

using namespace korbena;

LabelStyle shippedSheet()
{
    const QString path = QStringLiteral(KORBENA_SOURCE_DIR "/resources/style/A4-65-JAN.kbz");
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path), style, extras, path);
    return style;
}

DataList labelRows(int count)
{
    DataList rows;
    rows.SetRowCount(count + 2);
    for (int k = 1; k <= count; ++k) {
        rows.setTitle(k, QStringLiteral("商品 %1 サンプル").arg(k));
        rows.setNumber(k, QString::number(490000000000LL + k));
    }
    return rows;
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void BM_PrintLabelsToPdf(benchmark::State& state)
{
    const int labels = static_cast<int>(state.range(0));
    QTemporaryDir temp;
    const QString data = temp.filePath(QStringLiteral("data"));
    QDir().mkpath(data + QStringLiteral("/barimage"));
    const LabelStyle style = shippedSheet();
    const DataList rows = labelRows(labels);
    PageComposer composer(data);

    PrintJobResult result;
    qint64 bytes = 0;
    QElapsedTimer wall;
    wall.start();
    for (auto _ : state) {
        const QString path = temp.filePath(QStringLiteral("sheet.pdf"));
        PdfFileTarget pdf(path, 600);
        ApplyPaperSettings(pdf, style.sheet.paper, style.sheet.orientation);
        const DeviceMetrics metrics = ReadDeviceMetrics(pdf, 96, 96);
        int currentPage = 1;
        result = PrintJob(pdf, composer, style, rows, metrics, PrintOptions{}, currentPage);
        bytes = QFileInfo(path).size();
    }
    if (result.outcome != PrintOutcome::Printed || !result.message.isEmpty() || result.pagesPrinted == 0) {
        state.SkipWithError("the job did not print cleanly");
        return;
    }
    // Per second of the process's own processor time, and per second of the clock,
    // which on a shared machine also counts the time others had the processor.
    state.counters["labels/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * labels, benchmark::Counter::kIsRate);
    state.counters["labels/s_wall"] =
        static_cast<double>(state.iterations()) * labels / (static_cast<double>(wall.elapsed()) / 1000.0);
    state.counters["pages"] = result.pagesPrinted;
    state.counters["KB/page"] = static_cast<double>(bytes) / 1000.0 / result.pagesPrinted;
    state.counters["peak_MiB"] = peakResidentMiB();
}
// 650 and 6,500 labels, 10,000, then three and ten times as many: the peak memory must
// stay where it was.
BENCHMARK(BM_PrintLabelsToPdf)->Arg(650)->Iterations(5)->Unit(benchmark::kSecond);
BENCHMARK(BM_PrintLabelsToPdf)->Arg(6500)->Iterations(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_PrintLabelsToPdf)->Arg(10000)->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK(BM_PrintLabelsToPdf)->Arg(30000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_PrintLabelsToPdf)->Arg(100000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
