// Drawing one symbol into its bitmap, as the page composer does for every label:
// Code assignments on a component with the main window's settings (Scale 5, no
// text line, Match on), for JAN, CODE-39 and NW-7. Reports symbols and megapixels
// per second. When libzint is at hand, the same data goes through its raster output
// in the same run, for a figure per pixel from an independent library.
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>

#ifdef KORBENA_HAVE_LIBZINT
#include <zint.h>
#endif

namespace {

using korbena::BarImage;
using korbena::TBarTypes;

struct Sample
{
    TBarTypes type;
    std::array<const char*, 4> codes;
};

// Numbers of the kind a sheet holds: JAN with its check digit computed, CODE-39 and
// NW-7 with check characters on, as the main window draws them.
constexpr Sample kJan{korbena::cbarJAN, {"494612200092", "490123456789", "490000100013", "123456789012"}};
constexpr Sample kCode39{korbena::cbarCODE39, {"KORBENA-39", "ABC123", "LOT 2026/12", "0123456789"}};
constexpr Sample kNw7{korbena::cbarNW7, {"123456", "0012-3456", "98765.43", "31415926"}};

void setRates(benchmark::State& state, double pixelsPerSymbol)
{
    const auto symbols = static_cast<double>(state.iterations());
    state.counters["symbols/s"] = benchmark::Counter(symbols, benchmark::Counter::kIsRate);
    state.counters["pixels/s"] = benchmark::Counter(symbols * pixelsPerSymbol, benchmark::Counter::kIsRate);
    state.counters["px/symbol"] = pixelsPerSymbol;
}

void drawSymbols(benchmark::State& state, const Sample& sample, BarImage& bar)
{
    bar.SetBarType(sample.type);
    std::array<QString, 4> codes;
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = QString::fromLatin1(sample.codes[i]);
    std::size_t i = 0;
    double pixels = 0;
    for (auto _ : state) {
        bar.SetCode(codes[i++ % codes.size()]);
        const korbena::Bitmap* bitmap = bar.Picture().bitmap();
        if (!bar.BarDisped() || bitmap == nullptr) {
            state.SkipWithError("symbol not displayed");
            return;
        }
        pixels += static_cast<double>(bitmap->Width()) * bitmap->Height();
        benchmark::DoNotOptimize(bitmap->image().constBits());
    }
    setRates(state, state.iterations() > 0 ? pixels / static_cast<double>(state.iterations()) : 0);
}

void BM_DrawJan(benchmark::State& state)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    drawSymbols(state, kJan, bar);
}
BENCHMARK(BM_DrawJan);

void BM_DrawCode39(benchmark::State& state)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    drawSymbols(state, kCode39, bar);
}
BENCHMARK(BM_DrawCode39);

void BM_DrawNw7(benchmark::State& state)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    drawSymbols(state, kNw7, bar);
}
BENCHMARK(BM_DrawNw7);

// The same JAN symbols turned a quarter and mirrored, as a style may ask for: the
// finished picture is turned and mirrored pixel by pixel.
void BM_DrawJanTurnedAndMirrored(benchmark::State& state)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    bar.SetAngle(90);
    bar.SetReverse(true);
    drawSymbols(state, kJan, bar);
}
BENCHMARK(BM_DrawJanTurnedAndMirrored);

#ifdef KORBENA_HAVE_LIBZINT

// libzint at the same module width (5 pixels: its scale counts half X-dimensions in
// raster output), about the same height (21 modules = 105 pixels), no text line and
// 2 modules (10 pixels) of white space at the sides, check characters on.
void zintSymbols(benchmark::State& state, int symbology, const Sample& sample, const char* startStop)
{
    zint_symbol* symbol = ZBarcode_Create();
    std::array<std::string, 4> codes;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        codes[i] = sample.codes[i];
        if (startStop)
            codes[i] = std::string(1, startStop[0]) + codes[i] + startStop[1];
    }
    std::size_t i = 0;
    double pixels = 0;
    for (auto _ : state) {
        ZBarcode_Clear(symbol);
        symbol->symbology = symbology;
        symbol->scale = 2.5f;
        symbol->height = 21.0f;
        symbol->show_hrt = 0;
        symbol->whitespace_width = 2;
        symbol->option_2 = symbology == BARCODE_EANX ? 0 : 1;
        const std::string& code = codes[i++ % codes.size()];
        const int error = ZBarcode_Encode_and_Buffer(
            symbol, reinterpret_cast<const unsigned char*>(code.data()), static_cast<int>(code.size()), 0);
        if (error >= ZINT_ERROR) {
            state.SkipWithError(symbol->errtxt);
            break;
        }
        pixels += static_cast<double>(symbol->bitmap_width) * symbol->bitmap_height;
        benchmark::DoNotOptimize(symbol->bitmap);
    }
    ZBarcode_Delete(symbol);
    setRates(state, state.iterations() > 0 ? pixels / static_cast<double>(state.iterations()) : 0);
}

void BM_LibzintJan(benchmark::State& state)
{
    zintSymbols(state, BARCODE_EANX, kJan, nullptr);
}
BENCHMARK(BM_LibzintJan);

void BM_LibzintCode39(benchmark::State& state)
{
    zintSymbols(state, BARCODE_CODE39, kCode39, nullptr);
}
BENCHMARK(BM_LibzintCode39);

void BM_LibzintNw7(benchmark::State& state)
{
    zintSymbols(state, BARCODE_CODABAR, kNw7, "AA");
}
BENCHMARK(BM_LibzintNw7);

#endif

} // namespace
