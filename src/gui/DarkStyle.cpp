#include "gui/DarkStyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QTranslator>

namespace korbena {

namespace {

class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 600;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void applyProgramLook(QApplication& app)
{
    QApplication::setStyle(new ProgramStyle);
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230), accent(0, 122, 204);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, QColor(0, 255, 0));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(90, 170, 255));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    QApplication::setPalette(p);
    QPalette tip = QToolTip::palette();
    tip.setColor(QPalette::ToolTipBase, QColor(0, 255, 0));
    tip.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tip);

    // The whole interface is Japanese, whatever the session's language.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace korbena
