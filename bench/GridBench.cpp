// The data grid at sheet-run scale, through its item model as the window drives it:
// the snapshot every preview redraw takes (after no edit, and after one cell edit),
// inserting and deleting 1,000 rows at row 1 and undoing each, and loading a
// 100,000-row data file into the grid.
#include "document/ChangeTracking.h"
#include "document/DataFile.h"
#include "document/DataList.h"
#include "session/DataGridModel.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using korbena::ChangeTracking;
using korbena::DataGridModel;
using korbena::DataList;

constexpr int kRows = 100'000;
constexpr int kBlock = 1'000;

// Every data row titled and numbered, Japanese titles as real lists have them.
DataList fullGrid(int rows)
{
    DataList grid;
    grid.SetRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        grid.setTitle(row, QStringLiteral("商品名 %1 りんご").arg(row, 6, 10, QLatin1Char('0')));
        grid.setNumber(row, QStringLiteral("4901234%1").arg(row, 6, 10, QLatin1Char('0')));
    }
    return grid;
}

// A grid as the window holds it: the list, its model and the change tracking, with
// the start-up redraws done.
struct Window
{
    DataList list;
    DataGridModel model{list};
    ChangeTracking tracking;

    explicit Window(int rows) : list(fullGrid(rows))
    {
        redraw();
        redraw();
    }
    void redraw() { tracking.TakeDataSnapshot(list); }
};

void BM_RedrawSnapshotWithoutEdit(benchmark::State& state)
{
    Window window(static_cast<int>(state.range(0)));
    for (auto _ : state)
        window.redraw();
    if (window.tracking.undoEnabled())
        state.SkipWithError("a redraw without an edit enabled undo");
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_RedrawSnapshotWithoutEdit)->Arg(90)->Arg(kRows)->Unit(benchmark::kMicrosecond);

// Typing into a cell and pressing Enter: the model writes the cell, the redraw
// takes the snapshot and compares it with the one before.
void BM_EditCellAndRedraw(benchmark::State& state)
{
    Window window(kRows);
    const QModelIndex cell = window.model.index(kRows / 2, DataGridModel::TitleColumn);
    const QString texts[2] = {QStringLiteral("入力 A"), QStringLiteral("入力 B")};
    int turn = 0;
    for (auto _ : state) {
        window.model.setData(cell, texts[turn ^= 1]);
        window.redraw();
    }
    if (!window.tracking.undoEnabled())
        state.SkipWithError("the edit was not seen");
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_EditCellAndRedraw)->Unit(benchmark::kMillisecond);

// "指定行数割込" of 1,000 rows at row 1, with its redraw.
void BM_InsertRowsAtTop(benchmark::State& state)
{
    Window window(kRows);
    for (auto _ : state) {
        window.model.insertBlankRows(1, kBlock);
        window.redraw();
        state.PauseTiming();
        window.model.deleteRowRange(1, kBlock);
        window.redraw();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_InsertRowsAtTop)->Unit(benchmark::kMillisecond);

// "1行削除" of 1,000 selected rows from row 1, with its redraw.
void BM_DeleteRowsAtTop(benchmark::State& state)
{
    Window window(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        window.model.insertBlankRows(1, kBlock);
        window.redraw();
        state.ResumeTiming();
        window.model.deleteRowRange(1, kBlock);
        window.redraw();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_DeleteRowsAtTop)->Unit(benchmark::kMillisecond);

// "取り消し" after inserting 1,000 rows at row 1: the earlier state written back
// and redrawn.
void BM_UndoInsert(benchmark::State& state)
{
    Window window(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        window.model.insertBlankRows(1, kBlock);
        window.redraw();
        state.ResumeTiming();
        window.model.restoreDataSnapshot(window.tracking);
        window.redraw();
        state.PauseTiming();
        // Restoring never shrinks the grid: drop the rows the insert added.
        window.model.deleteRowRange(kRows, window.list.RowCount() - 1);
        window.redraw();
        state.ResumeTiming();
    }
    if (window.list.RowCount() != kRows)
        state.SkipWithError("the grid did not come back to its size");
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_UndoInsert)->Unit(benchmark::kMillisecond);

// "取り消し" after deleting 1,000 rows at row 1.
void BM_UndoDelete(benchmark::State& state)
{
    Window window(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        window.model.insertBlankRows(1, kBlock);
        window.redraw();
        window.model.deleteRowRange(1, kBlock);
        window.redraw();
        state.ResumeTiming();
        window.model.restoreDataSnapshot(window.tracking);
        window.redraw();
        state.PauseTiming();
        window.model.deleteRowRange(1, kBlock);
        window.redraw();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_UndoDelete)->Unit(benchmark::kMillisecond);

// "バーコードデータを読込" of a 100,000-row file into the start-up grid: the lines go
// to the change tracking, then fill the grid through the model.
void BM_LoadDataFileIntoGrid(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    korbena::writeDataFile(path, fullGrid(kRows));
    std::unique_ptr<Window> window;
    for (auto _ : state) {
        state.PauseTiming(); // the start-up grid, and freeing the last one, are no part of a load
        window = std::make_unique<Window>(DataList::kInitialRowCount);
        state.ResumeTiming();
        const QStringList lines = korbena::readDataFile(path);
        window->tracking.dataListLoaded(lines);
        window->model.applyDataLines(lines, path);
        benchmark::DoNotOptimize(window->model.rowCount());
    }
    if (window && window->model.rowCount() != kRows - 1)
        state.SkipWithError("the grid did not take the file's rows");
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_LoadDataFileIntoGrid)->Unit(benchmark::kMillisecond);

} // namespace
