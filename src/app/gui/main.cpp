#include "app/gui/MainWindow.h"
#include "platform/Allocator.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace {

// A dark Fusion look for the whole program.
void applyDarkStyle(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230), accent(0, 122, 204);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    app.setPalette(p);
}

} // namespace

int main(int argc, char** argv)
{
    korbena::tuneAllocatorForPictures();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korbena"));
    QApplication::setApplicationVersion(QStringLiteral(KORBENA_VERSION));
    applyDarkStyle(app);
    korbena::MainWindow window;
    window.show();
    return QApplication::exec();
}
