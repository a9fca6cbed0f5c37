// The data list at sheet-run scale: a grid of 100,000 rows saved to and loaded from
// a data file, a snapshot with the change check as every preview redraw takes it,
// and the memory the grid holds.
#include "document/ChangeTracking.h"
#include "document/DataFile.h"
#include "document/DataList.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using korbena::DataList;

constexpr int kRows = 100'000;

// Every data row titled and numbered, Japanese titles as real lists have them.
DataList fullGrid()
{
    DataList grid;
    grid.SetRowCount(kRows);
    for (int row = 1; row < kRows; ++row) {
        grid.setTitle(row, QStringLiteral("商品名 %1 りんご").arg(row, 6, 10, QLatin1Char('0')));
        grid.setNumber(row, QStringLiteral("4901234%1").arg(row, 6, 10, QLatin1Char('0')));
    }
    return grid;
}

void BM_SaveDataFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    const DataList grid = fullGrid();
    for (auto _ : state)
        korbena::writeDataFile(path, grid);
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMillisecond);

void BM_LoadDataFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    korbena::writeDataFile(path, fullGrid());
    for (auto _ : state) {
        DataList grid;
        const QStringList lines = korbena::readDataFile(path);
        korbena::applyDataLines(lines, grid, path);
        benchmark::DoNotOptimize(grid.RowCount());
        state.PauseTiming(); // freeing the grid is not part of a load
        grid = DataList();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMillisecond);

void BM_SnapshotAndChangeCheck(benchmark::State& state)
{
    DataList grid = fullGrid();
    korbena::ChangeTracking tracking;
    tracking.dataListLoaded(korbena::dataFileLines(grid));
    grid.setTitle(kRows / 2, QStringLiteral("edited"));
    for (auto _ : state) {
        tracking.TakeDataSnapshot(grid);
        benchmark::DoNotOptimize(tracking.DataChanged());
    }
    if (!tracking.DataChanged())
        state.SkipWithError("the edit was not seen");
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_SnapshotAndChangeCheck)->Unit(benchmark::kMillisecond);

void BM_GridMemory(benchmark::State& state)
{
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        auto grid = std::make_unique<DataList>(fullGrid());
        const std::size_t after = mallinfo2().uordblks;
        benchmark::DoNotOptimize(grid->RowCount());
        state.counters["MiB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
        state.counters["bytes/row"] = static_cast<double>(after - before) / kRows;
    }
}
BENCHMARK(BM_GridMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
