#include "gui/DarkStyle.h"
#include "gui/MainWindow.h"
#include "matrix/ZintMatrix.h"
#include "platform/Allocator.h"
#include "platform/Folders.h"
#include "session/AppController.h"
#include "session/DocumentArguments.h"

#include <QApplication>

int main(int argc, char** argv)
{
    korbena::tuneAllocatorForPictures();
    korbena::installZintMatrixEncoder();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korbena"));
    QApplication::setApplicationDisplayName(QStringLiteral("Korbena"));
    QApplication::setApplicationVersion(QStringLiteral(KORBENA_VERSION));
    korbena::applyProgramLook(app);
    korbena::MainWindow window(korbena::DataFolder(), korbena::InstallFolder());
    // The one argument the window takes: a style or data list the desktop opens with it.
    window.controller().setStartDocuments(korbena::documentArguments(QApplication::arguments().mid(1)));
    window.showMaximized();
    return QApplication::exec();
}
