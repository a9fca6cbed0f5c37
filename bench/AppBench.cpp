// The window's controller without its window: start-up to the first preview on a
// fresh working folder, one explicit redraw of the 65-label sample sheet (the undo
// snapshot included) at 120 and 200 per cent, and the symbology list changed on that
// sheet up to its preview redrawn, as the user interface runs it when idle.
#include "ControllerBench.h"
#include "session/AppController.h"
#include "sheet/PrintTarget.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

void BM_StartUpToFirstPreview(benchmark::State& state)
{
    bench::QuietDialogs dialogs;
    bench::QuietDesktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        state.ResumeTiming();
        AppController controller(dialogs, desktop, home.path() + QStringLiteral("/data"), kResources);
        controller.setScreenDpi(96, 96);
        controller.prepare();
        controller.startupLoad();
        benchmark::DoNotOptimize(controller.previewImage().constBits());
        state.PauseTiming();
        if (controller.previewImage().isNull())
            state.SkipWithError("no preview after start-up");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPreview)->Unit(benchmark::kMillisecond);

void BM_Redraw65Labels(benchmark::State& state)
{
    bench::QuietDialogs dialogs;
    bench::QuietDesktop desktop;
    QTemporaryDir home;
    AppController controller(dialogs, desktop, home.path() + QStringLiteral("/data"), kResources);
    controller.setScreenDpi(96, 96);
    controller.prepare();
    controller.startupLoad();
    controller.LoadStyle(home.path() + QStringLiteral("/data/style/A4-65-JAN.kbz"));
    for (int k = 1; k <= 65; ++k) {
        DataGridModel& grid = controller.grid();
        grid.setData(grid.index(k - 1, DataGridModel::TitleColumn),
                     QStringLiteral("商品 %1 サンプル").arg(k));
        grid.setData(grid.index(k - 1, DataGridModel::NumberColumn), QString::number(490123456000LL + k));
    }
    controller.setZoom(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        controller.explicitRedraw();
        benchmark::DoNotOptimize(controller.previewImage().constBits());
    }
    if (!controller.messageLine().isEmpty())
        state.SkipWithError("the sheet did not compose cleanly");
}
BENCHMARK(BM_Redraw65Labels)->Arg(120)->Arg(200)->Unit(benchmark::kMillisecond);

// JAN and NW-7 in turn: the edit asks for the redraw, the event loop draws it.
void BM_SymbologyChangeRedraws65Labels(benchmark::State& state)
{
    bench::QuietDialogs dialogs;
    bench::QuietDesktop desktop;
    QTemporaryDir home;
    AppController controller(dialogs, desktop, home.path() + QStringLiteral("/data"), kResources);
    controller.setScreenDpi(96, 96);
    controller.prepare();
    controller.startupLoad();
    controller.LoadStyle(home.path() + QStringLiteral("/data/style/A4-65-JAN.kbz"));
    for (int k = 1; k <= 65; ++k) {
        DataGridModel& grid = controller.grid();
        grid.setData(grid.index(k - 1, DataGridModel::TitleColumn),
                     QStringLiteral("商品 %1 サンプル").arg(k));
        grid.setData(grid.index(k - 1, DataGridModel::NumberColumn), QString::number(490123456000LL + k));
    }
    controller.setZoom(120);
    bool nw7 = true;
    for (auto _ : state) {
        controller.editStyleField(StyleField::Symbology, std::int32_t{nw7 ? 3 : 0});
        QCoreApplication::processEvents();
        nw7 = !nw7;
        benchmark::DoNotOptimize(controller.previewImage().constBits());
    }
    if (controller.preview().redrawPending() || !controller.messageLine().isEmpty())
        state.SkipWithError("the symbology change was not drawn cleanly");
}
BENCHMARK(BM_SymbologyChangeRedraws65Labels)->Unit(benchmark::kMillisecond);

} // namespace
