#include "app/gui/MainWindow.h"

#include "app/gui/BarImageView.h"
#include "symbol/MainBarImage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QVBoxLayout>

namespace korbena {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Korbena"));
    configureMainWindowBarImage(m_bar);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* form = new QFormLayout;
    m_type = new QComboBox(central);
    for (const char* name : kBarTypeNames)
        m_type->addItem(QString::fromLatin1(name));
    m_code = new QLineEdit(m_bar.Code(), central);
    form->addRow(QStringLiteral("バーコード種類"), m_type);
    form->addRow(QStringLiteral("バーコード番号"), m_code);
    layout->addLayout(form);
    m_view = new BarImageView(m_bar, central);
    layout->addWidget(m_view, 1);
    setCentralWidget(central);
    m_state = new QLabel(statusBar());
    statusBar()->addWidget(m_state, 1);

    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_bar.SetBarType(static_cast<TBarTypes>(index));
        showState();
    });
    connect(m_code, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_bar.SetCode(text);
        showState();
    });
    resize(640, 320);
    showState();
}

MainWindow::~MainWindow() = default;

void MainWindow::showState()
{
    if (m_bar.BarDisped())
        m_state->setText(m_bar.WorkSymbol());
    else
        m_state->setText(QStringLiteral("バーコード番号にエラーがあります。生成できませんでした。"));
}

} // namespace korbena
