#include "matrix/ZintMatrix.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// Every test program runs with a GUI application on the offscreen platform, so
// fonts, images and the clipboard work without a display.
int main(int argc, char** argv)
{
    korbena::installZintMatrixEncoder();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
