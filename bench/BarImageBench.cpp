// Code assignments on the main window's component: each one encodes and draws a
// whole 500 x 105 32-bit symbol.
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <benchmark/benchmark.h>

#include <array>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

using korbena::BarImage;

void BM_JanCodeAssignment(benchmark::State& state)
{
    BarImage bar;
    korbena::configureMainWindowBarImage(bar);
    const std::array<QString, 4> codes = {QStringLiteral("494612200092"), QStringLiteral("490123456789"),
                                          QStringLiteral("4901234"), QStringLiteral("123456789012")};
    std::size_t i = 0;
    for (auto _ : state) {
        bar.SetCode(codes[i++ % codes.size()]);
        benchmark::DoNotOptimize(bar.BarDisped());
    }
    if (!bar.BarDisped())
        state.SkipWithError("symbol not displayed");
    state.counters["symbols/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_JanCodeAssignment);

void BM_JanEncodeOnly(benchmark::State& state)
{
    const QString code = QStringLiteral("494612200092");
    for (auto _ : state)
        benchmark::DoNotOptimize(korbena::encodeJan(code));
    state.counters["encodings/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_JanEncodeOnly);

// Heap held by painted components beyond their 500 x 105 bitmaps.
void BM_BarImageMemory(benchmark::State& state)
{
    constexpr int kCount = 64;
    double perInstance = 0;
    for (auto _ : state) {
        const auto before = mallinfo2().uordblks;
        std::vector<std::unique_ptr<BarImage>> bars;
        for (int i = 0; i < kCount; ++i) {
            bars.push_back(std::make_unique<BarImage>());
            korbena::configureMainWindowBarImage(*bars.back());
        }
        const auto after = mallinfo2().uordblks;
        const auto bitmapBytes = static_cast<double>(bars.front()->Picture().bitmap()->image().sizeInBytes());
        perInstance = (static_cast<double>(after - before) / kCount) - bitmapBytes;
    }
    state.counters["bytes beyond bitmap"] = perInstance;
}
BENCHMARK(BM_BarImageMemory)->Iterations(3);

} // namespace
