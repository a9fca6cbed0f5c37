#include "gui/ProductInfoDialog.h"

#include "session/AppInfo.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace korbena {

ProductInfoDialog::ProductInfoDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("製品案内"));
    setObjectName(QStringLiteral("TFversionInfo"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);

    auto* layout = new QVBoxLayout(this);
    const auto label = [&](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        layout->addWidget(l);
        return l;
    };
    QLabel* name = label(QStringLiteral("appname"), QString::fromUtf16(kProductName));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    m_version = label(QStringLiteral("verlabel"), korbena::versionLine());
    label(QStringLiteral("companylabel"), QString::fromUtf16(kMakerName));
    label(QStringLiteral("copyright"), QString::fromUtf16(kCopyright));
    label(QStringLiteral("officelabel"), QString::fromUtf16(kComments));

    // A build without a web site shows no link.
    if (const QString home = homePageUrl(); !home.isEmpty()) {
        auto* link = new QLabel(QStringLiteral("製品のご案内: <a href=\"%1\">%1</a>").arg(home), this);
        link->setTextFormat(Qt::RichText);
        link->setOpenExternalLinks(false);
        connect(link, &QLabel::linkActivated, this,
                [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
        layout->addWidget(link);
    }

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString ProductInfoDialog::versionLine() const
{
    return m_version->text();
}

} // namespace korbena
