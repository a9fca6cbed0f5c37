#include "app/gui/DarkStyle.h"
#include "app/gui/MainWindow.h"
#include "platform/Allocator.h"
#include "platform/Folders.h"

#include <QApplication>

int main(int argc, char** argv)
{
    korbena::tuneAllocatorForPictures();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korbena"));
    QApplication::setApplicationDisplayName(QStringLiteral("Korbena"));
    QApplication::setApplicationVersion(QStringLiteral(KORBENA_VERSION));
    korbena::applyProgramLook(app);
    korbena::MainWindow window(korbena::DataFolder(), korbena::InstallFolder());
    window.showMaximized();
    return QApplication::exec();
}
