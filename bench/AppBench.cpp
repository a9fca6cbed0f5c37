// The window's controller without its window: start-up to the first preview on a
// fresh working folder, and one explicit redraw of the 65-label sample sheet (the
// undo snapshot included) at 120 and 200 per cent.
#include "app/AppController.h"
#include "platform/Allocator.h"
#include "sheet/PrintTarget.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korbena;

const QString kResources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");

// Nothing is asked during these runs; every question is cancelled.
class NoDialogs : public Dialogs
{
public:
    void information(const QString&) override {}
    bool confirm(const QString&) override { return false; }
    void error(const QString&, const QString&) override {}
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const FileDialogSpec&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogSpec&) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
    std::optional<TColor> chooseColor(TColor) override { return {}; }
    void printerSetup(PrintTarget&) override {}
    bool printDialog(PrintTarget&) override { return false; }
    bool printProgress(int, int) override { return false; }
    void endPrintProgress() override {}
    std::optional<SerialSettings> serialNumbers() override { return {}; }
    std::optional<CsvOptions> csvOptions() override { return {}; }
};

class NoDesktop : public Desktop
{
public:
    void beep() override {}
    void openUrl(const QUrl&) override {}
    bool startTextEditor() override { return false; }
    QSize screenSize() const override { return {1920, 1080}; }
};

void BM_StartUpToFirstPreview(benchmark::State& state)
{
    NoDialogs dialogs;
    NoDesktop desktop;
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
    NoDialogs dialogs;
    NoDesktop desktop;
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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    korbena::tuneAllocatorForPictures();
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
