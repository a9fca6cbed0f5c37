#include "gui/CsvOptionDialog.h"

#include "controls/NumberEdit.h"
#include "gui/SerialDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include <algorithm>

namespace korbena {

CsvOptionDialog::CsvOptionDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Tfcsv_option"));
    setWindowTitle(QStringLiteral("Korbena"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const CsvOptions initial;

    auto* separatorBox = new QGroupBox(QStringLiteral("区切文字指定"), this);
    separatorBox->setObjectName(QStringLiteral("Separater_Char"));
    m_separator =
        addRadioGroup(separatorBox, {"カンマ区切り", "タブ区切り", "スペース区切り", "セミコロン区切り"}, 2,
                      static_cast<int>(initial.separator));
    layout->addWidget(separatorBox);

    auto* columnBox = new QGroupBox(QStringLiteral("タイトルの列"), this);
    m_column = new NumberEdit(columnBox);
    m_column->setObjectName(QStringLiteral("col_no"));
    m_column->SetValue(initial.column);
    (new QVBoxLayout(columnBox))->addWidget(m_column);
    layout->addWidget(columnBox);
    layout->addWidget(dialogButtons(this));
}

CsvOptions CsvOptionDialog::options() const
{
    CsvOptions o;
    o.separator = static_cast<CsvSeparator>(std::clamp(m_separator->checkedId(), 0, 3));
    o.column = m_column->AsInteger();
    return o;
}

void CsvOptionDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace korbena
