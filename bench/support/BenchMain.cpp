// The one entry point of every benchmark: pictures and fonts need a GUI application
// (offscreen unless a platform is set), the 2D symbols their encoder, and the
// allocator the tuning the program itself runs with.
#include "matrix/ZintMatrix.h"
#include "platform/Allocator.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    korbena::tuneAllocatorForPictures();
    korbena::installZintMatrixEncoder();
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
