// One click on an arrow button of the setting tabs: the field moves and the 65-label
// sample sheet is redrawn (the undo snapshot included), at the start-up zoom of 120
// per cent and at 200. The frame budget of a smooth repeat is 16 ms.
#include "ControllerBench.h"
#include "session/AppController.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

// The title position's → and ← in turn, so the sheet stays where it was.
void BM_NudgeRedraws65Labels(benchmark::State& state)
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
    bool right = true;
    for (auto _ : state) {
        controller.nudgeCommand(StyleField::TitleX, right ? NudgeArrow::Right : NudgeArrow::Left,
                                Qt::ShiftModifier);
        right = !right;
        benchmark::DoNotOptimize(controller.previewImage().constBits());
    }
    if (!controller.messageLine().isEmpty())
        state.SkipWithError("the sheet did not compose cleanly");
}
BENCHMARK(BM_NudgeRedraws65Labels)->Arg(120)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
