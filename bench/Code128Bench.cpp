// CODE-128 and CODE-93 Code assignments on the main window's component (Scale 5,
// Match on): each assignment encodes and draws a whole 32-bit symbol, as the page
// composer does for every label. Also the encoders alone.
//
//   cmake --build build && build/bin/bench_Code128Bench
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using korbena::BarImage;

// 20 mixed characters each: upper and lower case, punctuation and digit runs, so the
// automatic segmentation switches between sets A, B and C.
const std::array<QString, 4> kCode128Codes = {
    QStringLiteral("Korbena-2026/1234567"), // set B text, a C run, an odd digit in B
    QStringLiteral("AB12CD34ef5678gh90IJ"), QStringLiteral("LOT 4711 exp 2026-12"),
    QStringLiteral("<FNC1>01095011015300031012"), // GS1-128: FNC1, (01) and (10), 20 digits
};

// Typical CODE-93 data: part numbers and serials over the 43 characters, one with a
// shifted lower-case letter.
const std::array<QString, 4> kCode93Codes = {
    QStringLiteral("TEST93"),
    QStringLiteral("PN-4711.2026/A"),
    QStringLiteral("SN 00012345"),
    QStringLiteral("CODE<+>A93"),
};

// A run of serial numbers, as the sheet's serial-number command makes them:
// same length, same segmentation, so every symbol has the same width and the matched
// picture keeps its size from one label to the next.
const std::array<QString, 4> kCode128Serials = {
    QStringLiteral("Korbena-2026/1234567"),
    QStringLiteral("Korbena-2026/1234568"),
    QStringLiteral("Korbena-2026/1234569"),
    QStringLiteral("Korbena-2026/1234570"),
};
const std::array<QString, 4> kCode93Serials = {
    QStringLiteral("SN 00012345"),
    QStringLiteral("SN 00012346"),
    QStringLiteral("SN 00012347"),
    QStringLiteral("SN 00012348"),
};

void counters(benchmark::State& state)
{
    state.counters["symbols/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

template <std::size_t N>
void assignCodes(benchmark::State& state, korbena::TBarTypes type, const std::array<QString, N>& codes)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    bar.SetBarType(type);
    for (const QString& code : codes) {
        bar.SetCode(code);
        if (!bar.BarDisped()) {
            state.SkipWithError("a benchmark code is not displayed");
            return;
        }
    }
    std::size_t i = 0;
    for (auto _ : state) {
        bar.SetCode(codes[i++ % codes.size()]);
        benchmark::DoNotOptimize(bar.BarDisped());
    }
    counters(state);
}

void BM_Code128CodeAssignment(benchmark::State& state)
{
    assignCodes(state, korbena::cbarCODE128, kCode128Codes);
}
BENCHMARK(BM_Code128CodeAssignment);

void BM_Code93CodeAssignment(benchmark::State& state)
{
    assignCodes(state, korbena::cbarCODE93, kCode93Codes);
}
BENCHMARK(BM_Code93CodeAssignment);

void BM_Code128SerialAssignment(benchmark::State& state)
{
    assignCodes(state, korbena::cbarCODE128, kCode128Serials);
}
BENCHMARK(BM_Code128SerialAssignment);

void BM_Code93SerialAssignment(benchmark::State& state)
{
    assignCodes(state, korbena::cbarCODE93, kCode93Serials);
}
BENCHMARK(BM_Code93SerialAssignment);

void BM_Code128EncodeOnly(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(korbena::encodeCode128(kCode128Codes[i++ % kCode128Codes.size()]));
    counters(state);
}
BENCHMARK(BM_Code128EncodeOnly);

void BM_Code93EncodeOnly(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(korbena::encodeCode93(kCode93Codes[i++ % kCode93Codes.size()]));
    counters(state);
}
BENCHMARK(BM_Code93EncodeOnly);

} // namespace
