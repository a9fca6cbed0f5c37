// Lists from outside as the window takes them, through the controller on the start-up
// grid: Ctrl+V of a 10,000-row block copied from a spreadsheet at row 1, and
// "CSV取込(詳細)…" of a 100,000-line CSV file with a quantity column. Each figure
// includes the rows added to the grid and the redraw with its snapshot.
#include "ControllerBench.h"
#include "platform/AtomicFile.h"
#include "session/AppController.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korbena;

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

// Answers the file dialog and the import dialog; every other question is cancelled.
class ImportDialogs : public bench::QuietDialogs
{
public:
    QString path;
    DetailedCsvSettings settings;

    std::optional<QString> openFile(const FileDialogSpec&) override { return path; }
    std::optional<DetailedCsvSettings> detailedCsvImport(const QString&, const DetailedCsvSettings&) override
    {
        return settings;
    }
};

struct Session
{
    QTemporaryDir home;
    ImportDialogs dialogs;
    bench::QuietDesktop desktop;
    std::unique_ptr<AppController> controller;

    Session()
    {
        controller = std::make_unique<AppController>(dialogs, desktop, home.path() + QStringLiteral("/data"),
                                                     kResources);
        controller->setScreenDpi(96, 96);
        controller->prepare();
        controller->startupLoad();
    }
};

// A spreadsheet's block: a title with a quoted cell now and then, and a JAN code.
QString clipboardBlock(int rows, const QString& mark)
{
    QString text;
    for (int row = 1; row <= rows; ++row) {
        if (row % 10 == 0)
            text += QStringLiteral("\"商品 %1, %2\"").arg(row).arg(mark);
        else
            text += QStringLiteral("商品 %1 %2").arg(row).arg(mark);
        text += QStringLiteral("\t490123%1\n").arg(row, 6, 10, QLatin1Char('0'));
    }
    return text;
}

void BM_PasteBlock(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    Session s;
    const QString blocks[2] = {clipboardBlock(rows, QStringLiteral("A")),
                               clipboardBlock(rows, QStringLiteral("B"))};
    int turn = 0;
    for (auto _ : state)
        s.controller->pasteCellsCommand(blocks[turn ^= 1], 1, 0);
    if (s.controller->rows().RowCount() != rows + 1 || s.dialogs.errors != 0)
        state.SkipWithError("the block did not land");
    state.counters["rows"] = rows;
}
BENCHMARK(BM_PasteBlock)->Arg(10'000)->Unit(benchmark::kMillisecond);

void BM_DetailedCsvImport(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    Session s;
    QByteArray csv = "name,jan,qty\r\n";
    for (int line = 1; line < lines; ++line)
        csv += "\"item " + QByteArray::number(line) + ", red\",490123" +
               QByteArray::number(line).rightJustified(6, '0') + ",1\r\n";
    s.dialogs.path = s.home.filePath(QStringLiteral("list.csv"));
    writeFileAtomically(s.dialogs.path, csv);
    s.dialogs.settings.columns = {1, true, 1, 2, 3};
    for (auto _ : state)
        s.controller->detailedCsvImportCommand();
    if (s.controller->rows().RowCount() != lines || s.dialogs.errors != 0)
        state.SkipWithError("the file did not land");
    state.counters["lines"] = lines;
}
BENCHMARK(BM_DetailedCsvImport)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
