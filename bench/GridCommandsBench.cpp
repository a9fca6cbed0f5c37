// The data grid's commands as the window runs them, through the controller on a
// 100,000-row list: a redraw with no edit since the last one (against 90 rows), an
// edit plus Enter, "指定行数割込" of 1,000 rows at row 1, "1行削除" of them and
// "取り消し" after each, and loading the 100,000-row data file into the grid. Every
// figure includes the preview's redraw where the command redraws: the snapshot and
// the composition of page 1.
#include "ControllerBench.h"
#include "document/DataFile.h"
#include "session/AppController.h"
#include "sheet/PrintTarget.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korbena;

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");
constexpr int kRows = 100'000;
constexpr int kBlock = 1'000;

// A data file of `rows` grid rows, every data row titled and numbered with codes the
// default style (JAN) draws.
QString writeList(const QString& folder, int rows)
{
    DataList list;
    list.SetRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        list.setTitle(row, QStringLiteral("商品名 %1 りんご").arg(row, 6, 10, QLatin1Char('0')));
        list.setNumber(row, QStringLiteral("490123%1").arg(row, 6, 10, QLatin1Char('0')));
    }
    const QString path = folder + QStringLiteral("/list-%1.lst").arg(rows);
    writeDataFile(path, list);
    return path;
}

// The window's controller after start-up, with the list loaded and redrawn twice.
struct Session
{
    QTemporaryDir home;
    bench::QuietDialogs dialogs;
    bench::QuietDesktop desktop;
    std::unique_ptr<AppController> controller;

    explicit Session(int rows, bool load = true)
    {
        controller = std::make_unique<AppController>(dialogs, desktop, home.path() + QStringLiteral("/data"),
                                                     kResources);
        controller->setScreenDpi(96, 96);
        controller->prepare();
        controller->startupLoad();
        if (load) {
            controller->LoadDataList(writeList(home.path(), rows));
            controller->explicitRedraw();
            controller->explicitRedraw();
        }
    }
};

void BM_RedrawWithoutEdit(benchmark::State& state)
{
    Session s(static_cast<int>(state.range(0)));
    for (auto _ : state)
        s.controller->explicitRedraw();
    if (s.controller->undoEnabled())
        state.SkipWithError("a redraw without an edit enabled undo");
    state.counters["rows"] = static_cast<double>(s.controller->rows().RowCount());
}
BENCHMARK(BM_RedrawWithoutEdit)->Arg(90)->Arg(kRows)->Unit(benchmark::kMillisecond);

// Typing into a cell and pressing Enter.
void BM_EditAndEnter(benchmark::State& state)
{
    Session s(kRows);
    DataGridModel& grid = s.controller->grid();
    const QModelIndex cell = grid.index(kRows / 2, DataGridModel::TitleColumn);
    const QString texts[2] = {QStringLiteral("入力 A"), QStringLiteral("入力 B")};
    int turn = 0;
    for (auto _ : state) {
        grid.setData(cell, texts[turn ^= 1]);
        s.controller->gridEnterPressed();
    }
    if (!s.controller->undoEnabled())
        state.SkipWithError("the edit was not seen");
}
BENCHMARK(BM_EditAndEnter)->Unit(benchmark::kMillisecond);

void insertBlock(AppController& c)
{
    c.setGridSelection(1, 1);
    c.insertRowsCommand();
}

void deleteBlock(AppController& c)
{
    c.setGridSelection(1, kBlock);
    c.deleteRowsCommand();
}

// Drop any rows an undone insert left (an undo gives the row count back too).
void dropGrownRows(AppController& c)
{
    if (c.rows().RowCount() <= kRows)
        return;
    c.setGridSelection(kRows, c.rows().RowCount() - 1);
    c.deleteRowsCommand();
}

// "指定行数割込" of 1,000 at row 1, with its redraw.
void BM_InsertRowsCommand(benchmark::State& state)
{
    Session s(kRows);
    s.dialogs.answer = QString::number(kBlock);
    for (auto _ : state) {
        insertBlock(*s.controller);
        state.PauseTiming();
        deleteBlock(*s.controller);
        state.ResumeTiming();
    }
    if (s.controller->rows().RowCount() != kRows || s.dialogs.errors != 0)
        state.SkipWithError("the grid did not come back to its size");
}
BENCHMARK(BM_InsertRowsCommand)->Unit(benchmark::kMillisecond);

// "1行削除" of the 1,000 selected rows at row 1, with its redraw.
void BM_DeleteRowsCommand(benchmark::State& state)
{
    Session s(kRows);
    s.dialogs.answer = QString::number(kBlock);
    for (auto _ : state) {
        state.PauseTiming();
        insertBlock(*s.controller);
        state.ResumeTiming();
        deleteBlock(*s.controller);
    }
    if (s.controller->rows().RowCount() != kRows)
        state.SkipWithError("the grid did not come back to its size");
}
BENCHMARK(BM_DeleteRowsCommand)->Unit(benchmark::kMillisecond);

// "取り消し" after the insert.
void BM_UndoInsert(benchmark::State& state)
{
    Session s(kRows);
    s.dialogs.answer = QString::number(kBlock);
    for (auto _ : state) {
        state.PauseTiming();
        insertBlock(*s.controller);
        state.ResumeTiming();
        s.controller->undoCommand();
        state.PauseTiming();
        if (s.controller->rows().title(1) != QStringLiteral("商品名 000001 りんご"))
            state.SkipWithError("the undo did not bring the rows back");
        dropGrownRows(*s.controller);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoInsert)->Unit(benchmark::kMillisecond);

// "取り消し" after the delete.
void BM_UndoDelete(benchmark::State& state)
{
    Session s(kRows);
    s.dialogs.answer = QString::number(kBlock);
    for (auto _ : state) {
        state.PauseTiming();
        insertBlock(*s.controller);
        deleteBlock(*s.controller);
        state.ResumeTiming();
        s.controller->undoCommand();
        state.PauseTiming();
        if (s.controller->rows().RowCount() != kRows + kBlock)
            state.SkipWithError("the undo did not bring the rows back");
        deleteBlock(*s.controller);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoDelete)->Unit(benchmark::kMillisecond);

// "バーコードデータを読込" of the 100,000-row file into the start-up grid, through the model.
void BM_LoadDataList(benchmark::State& state)
{
    QTemporaryDir files;
    const QString path = writeList(files.path(), kRows);
    std::unique_ptr<Session> s;
    for (auto _ : state) {
        state.PauseTiming();
        s.reset();
        s = std::make_unique<Session>(kRows, false);
        state.ResumeTiming();
        s->controller->LoadDataList(path);
    }
    if (s && s->controller->grid().rowCount() != kRows - 1)
        state.SkipWithError("the grid did not take the file's rows");
}
BENCHMARK(BM_LoadDataList)->Unit(benchmark::kMillisecond);

} // namespace
