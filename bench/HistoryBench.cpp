// The undo and redo history on a 100,000-row list: a cell edit, "指定行数割込" of 1,000
// rows and a serial numbering of all 100,000 rows, each done, undone and redone through
// the document session (the preview's redraw, the same for every command, left out);
// and what a history of 100 steps holds against the list itself.
#include "ControllerBench.h"
#include "document/SerialNumbers.h"
#include "session/DocumentSession.h"
#include "session/StyleEditing.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <unistd.h>

namespace {

using namespace korbena;

constexpr int kRows = 100'000;
constexpr int kBlock = 1'000;

class SilentHooks : public SessionHooks
{
public:
    void raise(const QString&) override {}
    void RedrawPreview() override {}
    void explicitRedraw() override {}
    int startLabel() const override { return 1; }
};

// A session whose list has 100,000 numbered rows, titled or, with `sections`, untitled
// every 1,000th row (which ends a numbering), and an empty history.
struct Session
{
    QTemporaryDir home;
    bench::QuietDialogs dialogs;
    SilentHooks hooks;
    DocumentSession session{dialogs, hooks, home.path()};
    DataGridModel& grid = session.grid();

    explicit Session(bool sections = false)
    {
        grid.appendRows(kRows - session.rows().RowCount());
        for (int row = 1; row < kRows; ++row) {
            if (!sections || row % kBlock != 0)
                grid.setData(grid.index(row - 1, 0),
                             QStringLiteral("商品名 %1 りんご").arg(row, 6, 10, QChar(u'0')));
            grid.setData(grid.index(row - 1, 1), QStringLiteral("490123%1").arg(row, 6, 10, QChar(u'0')));
        }
        session.startNewHistory();
    }
};

// The list's own memory, estimated as the history estimates its steps.
std::size_t listBytes(const DataList& rows)
{
    std::size_t total = rows.storedRows() * 2 * sizeof(QString);
    for (int row = 1; row <= static_cast<int>(rows.storedRows()); ++row)
        for (const QString* text : {&rows.title(row), &rows.number(row)})
            total += text->isEmpty() ? 0 : 16 + static_cast<std::size_t>(text->capacity()) * 2;
    return total;
}

long residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * sysconf(_SC_PAGESIZE) : 0;
}

enum class Phase { Do, Undo, Redo };

// Times one phase of a step: the command itself, its undo or its redo; the other
// phases bring the list back between rounds, untimed.
void timeStep(benchmark::State& state, Phase phase, const std::function<void(Session&)>& command,
              const std::function<bool(Session&)>& done)
{
    Session s;
    command(s);
    for (auto _ : state) {
        state.PauseTiming();
        if (phase == Phase::Undo && !s.session.undoEnabled())
            s.session.redoCommand();
        if (phase != Phase::Undo)
            s.session.undoCommand();
        state.ResumeTiming();
        if (phase == Phase::Do)
            command(s);
        else if (phase == Phase::Undo)
            s.session.undoCommand();
        else
            s.session.redoCommand();
        state.PauseTiming();
        if (done(s) != (phase != Phase::Undo))
            state.SkipWithError("the step did not do what it should");
        state.ResumeTiming();
    }
    state.counters["historyBytes"] = static_cast<double>(s.session.history().estimatedBytes());
}

void cellEdit(Session& s)
{
    s.grid.setData(s.grid.index(kRows / 2, 0), QStringLiteral("入力"));
    s.session.history().endTyping();
}
bool cellEdited(Session& s)
{
    return s.session.rows().title(kRows / 2 + 1) == QStringLiteral("入力");
}

void insertRows(Session& s)
{
    s.grid.insertBlankRows(1, kBlock);
}
bool rowsInserted(Session& s)
{
    return s.session.rows().RowCount() == kRows + kBlock;
}

void serialNumbers(Session& s)
{
    s.grid.serializeRows(1, SerialSettings{});
}
bool numbered(Session& s)
{
    return s.session.rows().number(kRows - 1) == QStringLiteral("00199999-01");
}

void BM_CellEdit(benchmark::State& state)
{
    timeStep(state, static_cast<Phase>(state.range(0)), cellEdit, cellEdited);
}
BENCHMARK(BM_CellEdit)->ArgName("do0_undo1_redo2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_Insert1000Rows(benchmark::State& state)
{
    timeStep(state, static_cast<Phase>(state.range(0)), insertRows, rowsInserted);
}
BENCHMARK(BM_Insert1000Rows)->ArgName("do0_undo1_redo2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SerialNumbers100000Rows(benchmark::State& state)
{
    timeStep(state, static_cast<Phase>(state.range(0)), serialNumbers, numbered);
}
BENCHMARK(BM_SerialNumbers100000Rows)
    ->ArgName("do0_undo1_redo2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

// 100 steps of the kinds a working session makes, in turn: a typed cell, 1,000 rows
// inserted, 1,000 deleted, 1,000 rows pasted, a section of up to 1,000 rows numbered, a
// style nudge.
// The history's own estimate and the growth of the resident memory, against the list.
void BM_HundredStepHistory(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Session s(true);
        const long resident = residentBytes();
        CellBlock block(kBlock, QStringList{QStringLiteral("貼り付け"), QStringLiteral("4901234567894")});
        state.ResumeTiming();
        for (int step = 0; s.session.history().count() < 100; ++step) {
            const int row = 1 + (step * 997) % (kRows - kBlock - 1);
            switch (step % 6) {
            case 0:
                s.grid.setData(s.grid.index(row - 1, 1), QStringLiteral("手入力 %1").arg(step));
                s.session.history().endTyping();
                break;
            case 1:
                s.grid.insertBlankRows(row, kBlock);
                break;
            case 2:
                s.grid.deleteRowRange(row, row + kBlock - 1);
                break;
            case 3:
                s.grid.pasteBlock(row, 0, block);
                break;
            case 4: {
                SerialSettings settings;
                settings.start = step;
                s.grid.serializeRows(row, settings);
                break;
            }
            default: {
                const LabelStyle before = s.session.style();
                s.session.style().placement.x += 1;
                s.session.history().recordStyle(QStringLiteral("位置微調整"), before);
                break;
            }
            }
        }
        state.PauseTiming();
        const double list = static_cast<double>(listBytes(s.session.rows()));
        state.counters["historyBytes"] = static_cast<double>(s.session.history().estimatedBytes());
        state.counters["residentGrowth"] = static_cast<double>(residentBytes() - resident);
        state.counters["listBytes"] = list;
        state.counters["historyPerList"] = static_cast<double>(s.session.history().estimatedBytes()) / list;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HundredStepHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
