#include "gui/SerialDialog.h"

#include "controls/NumberEdit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace korbena {

QButtonGroup* addRadioGroup(QWidget* box, const QStringList& captions, int columns, int checked)
{
    auto* group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    const int perColumn = static_cast<int>((captions.size() + columns - 1) / columns);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], box);
        group->addButton(button, i);
        grid->addWidget(button, i % perColumn, i / perColumn);
    }
    if (QAbstractButton* button = group->button(checked))
        button->setChecked(true);
    return group;
}

QWidget* dialogButtons(QDialog* dialog)
{
    auto* row = new QWidget(dialog);
    auto* layout = new QHBoxLayout(row);
    layout->addStretch();
    auto* run = new QPushButton(QStringLiteral("実　行"), row);
    run->setObjectName(QStringLiteral("run"));
    run->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), row);
    cancel->setObjectName(QStringLiteral("cancel"));
    QObject::connect(run, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    layout->addWidget(run);
    layout->addWidget(cancel);
    return row;
}

void centreOnScreen(QDialog* dialog)
{
    if (const QScreen* screen = dialog->screen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

namespace {

// The digit buttons in order: "桁調整なし", then "2桁" to "10桁".
int widthOfButton(int button)
{
    return button <= 0 ? 0 : button + 1;
}

int buttonOfWidth(int width)
{
    return width <= 1 ? 0 : width - 1;
}

} // namespace

SerialDialog::SerialDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Tfserial_input"));
    setWindowTitle(QStringLiteral("Korbena"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto lineGroup = [this, layout](const QString& caption, const QString& name, const QString& text) {
        auto* box = new QGroupBox(caption, this);
        auto* edit = new QLineEdit(text, box);
        edit->setObjectName(name);
        (new QVBoxLayout(box))->addWidget(edit);
        layout->addWidget(box);
        return edit;
    };
    const SerialSettings initial;
    m_header =
        lineGroup(QStringLiteral("ヘッダー(例:AA000001→AA)"), QStringLiteral("header"), initial.header);
    m_footer =
        lineGroup(QStringLiteral("フッター(例:AA000001-01→-01)"), QStringLiteral("footer"), initial.footer);

    auto* startBox = new QGroupBox(QStringLiteral("初期値"), this);
    m_start = new NumberEdit(startBox);
    m_start->setObjectName(QStringLiteral("start_no"));
    m_start->SetValue(static_cast<Extended>(initial.start));
    (new QVBoxLayout(startBox))->addWidget(m_start);
    layout->addWidget(startBox);

    auto* digitBox = new QGroupBox(QStringLiteral("ヘッダー以外の桁数"), this);
    digitBox->setObjectName(QStringLiteral("digit"));
    m_digit = addRadioGroup(digitBox,
                            {"桁調整なし", "2桁", "3桁", "4桁", "5桁", "6桁", "7桁", "8桁", "9桁", "10桁"}, 5,
                            buttonOfWidth(initial.width));
    layout->addWidget(digitBox);
    layout->addWidget(dialogButtons(this));
}

SerialSettings SerialDialog::settings() const
{
    SerialSettings s;
    s.header = m_header->text();
    s.footer = m_footer->text();
    s.start = m_start->AsInt64();
    s.width = widthOfButton(std::max(m_digit->checkedId(), 0));
    return s;
}

void SerialDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace korbena
