#include "gui/DarkStyle.h"
#include "matrix/ZintMatrix.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widget tests run with a full application on the offscreen platform, in the program's look.
int main(int argc, char** argv)
{
    korbena::installZintMatrixEncoder();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    korbena::applyProgramLook(app);
    return RUN_ALL_TESTS();
}
