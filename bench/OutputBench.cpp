// The finishing steps of symbol output: a quarter turn of the main window's
// 500 x 105 32-bit symbol bitmap, and whole symbols recorded as vector pictures
// (a CODE-128 symbol of 20 characters, encoded, laid out and written as SVG).
#include "platform/Bitmap.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"
#include "symbol/MainBarImage.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using korbena::BarImage;
using korbena::Bitmap;

void BM_RotateSymbolBitmap(benchmark::State& state)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    const Bitmap* symbol = bar.Picture().bitmap();
    if (symbol == nullptr || symbol->Width() != 500 || symbol->Height() != 105) {
        state.SkipWithError("no 500 x 105 symbol");
        return;
    }
    const Bitmap bitmap = *symbol;
    const int angle = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Bitmap turned = bitmap.Rotated(angle);
        benchmark::DoNotOptimize(turned);
    }
    state.counters["rotations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RotateSymbolBitmap)->Arg(90)->Arg(180)->Arg(270);

void BM_MirrorSymbolBitmap(benchmark::State& state)
{
    const Bitmap bitmap(500, 105);
    for (auto _ : state) {
        Bitmap mirrored = bitmap.Mirrored();
        benchmark::DoNotOptimize(mirrored);
    }
    state.counters["mirrors/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MirrorSymbolBitmap);

void BM_SvgSymbol(benchmark::State& state)
{
    // Twenty characters each, mixing digits (set C) and letters (set B).
    std::array<QString, 4> codes = {
        QStringLiteral("KORBENA-2024-0000001"), QStringLiteral("Label 42/a Shelf B-17"),
        QStringLiteral("12345678901234567890"), QStringLiteral("AB12cd34EF56gh78IJ90")};
    korbena::TBarTypes type = korbena::cbarCODE128;
    for (const QString& code : codes) {
        if (!korbena::encodeCode128(code).ok())
            type = korbena::cbarJAN;
    }
    if (type == korbena::cbarJAN) {
        // CODE-128 does not encode yet: measure JAN symbols instead, and say so.
        codes = {QStringLiteral("494612200092"), QStringLiteral("490123456789"),
                 QStringLiteral("978030640615"), QStringLiteral("123456789012")};
        state.SetLabel("JAN (CODE-128 not available)");
    } else {
        state.SetLabel("CODE-128, 20 characters");
    }

    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    bar.SetBarEnabled(false);
    bar.SetBarType(type);
    bar.SetBarPicture(korbena::picEMF);
    bar.SetBarEnabled(true);
    std::size_t i = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        bar.SetCode(codes[i++ % codes.size()]);
        const korbena::Metafile* metafile = bar.Picture().metafile();
        bytes = metafile ? metafile->svg.size() : 0;
        benchmark::DoNotOptimize(bytes);
    }
    if (!bar.BarDisped() || bytes == 0)
        state.SkipWithError("no vector picture");
    state.counters["symbols/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["svg bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SvgSymbol);

} // namespace
