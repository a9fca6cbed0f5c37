// The check before printing over a long data list: 10,000 rows on the shipped
// 65-label A4 sheet, each row's symbol rendered as the page composer renders it and
// read back by zxing-cpp. The whole check must take under 2 s; reports rows per
// second and the time of one check.
#include "document/LabelStyle.h"
#include "symbol/BarTypes.h"
#include "verify/PrintCheck.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

LabelStyle shippedSheet(TBarTypes type)
{
    const QString path = QStringLiteral(KORBENA_SOURCE_DIR "/resources/style/A4-65-JAN.kbz");
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path), style, extras, path);
    style.symbol.symbology = type;
    return style;
}

// Numbers of the symbology's usual shape, every one different.
QString numberFor(TBarTypes type, int k)
{
    switch (type) {
    case cbarCODE128:
        return QStringLiteral("LOT-%1-abc").arg(k);
    case cbarCODE39:
        return QStringLiteral("K%1").arg(k, 8, 10, QLatin1Char('0'));
    case cbarITF:
        return QString::number(1400000000000LL + k);
    default:
        return QString::number(490000000000LL + k);
    }
}

void BM_VerifyRows(benchmark::State& state)
{
    const auto type = static_cast<TBarTypes>(state.range(0));
    const int count = static_cast<int>(state.range(1));
    const LabelStyle style = shippedSheet(type);
    DataList rows;
    rows.SetRowCount(count + 2);
    for (int k = 1; k <= count; ++k) {
        rows.setTitle(k, QStringLiteral("商品 %1").arg(k));
        rows.setNumber(k, numberFor(type, k));
    }
    PrintCheckReport report;
    for (auto _ : state) {
        report = verifyRows(style, rows);
        benchmark::DoNotOptimize(report.verified);
    }
    if (report.checked != count || report.verified != count) {
        state.SkipWithError(report.summary().toStdString().c_str());
        return;
    }
    state.SetLabel(barTypeName(type).toStdString());
    state.counters["rows/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * count, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VerifyRows)
    ->Args({cbarJAN, 10000})
    ->Args({cbarCODE39, 10000})
    ->Args({cbarITF, 10000})
    ->Args({cbarCODE128, 10000})
    ->Args({cbarQR, 10000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
