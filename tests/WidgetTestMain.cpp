#include "matrix/ZintMatrix.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widget tests run with a full widget application on the offscreen platform, so
// widgets can be shown, focused, typed into and grabbed without a display.
int main(int argc, char** argv)
{
    korbena::installZintMatrixEncoder();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
