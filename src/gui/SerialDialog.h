#pragma once

#include "document/SerialNumbers.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace korbena {

class NumberEdit;

// "Tfserial_input": the header and footer around the serial number, its start value
// and the zero-fill width. Made once and reused, so it shows the values last entered.
class SerialDialog : public QDialog
{
public:
    explicit SerialDialog(QWidget* parent = nullptr);

    // What the dialog holds now; the start value's integer part, cut toward zero.
    SerialSettings settings() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_header = nullptr;
    QLineEdit* m_footer = nullptr;
    NumberEdit* m_start = nullptr;
    QButtonGroup* m_digit = nullptr;
};

// The dialogs' common parts: a group of radio buttons laid out in columns, filled
// column by column, and the two buttons "実　行" and "キャンセル".
QButtonGroup* addRadioGroup(QWidget* box, const QStringList& captions, int columns, int checked);
QWidget* dialogButtons(QDialog* dialog);
// Fixed in size and centred on the desktop, as both dialogs are.
void centreOnScreen(QDialog* dialog);

} // namespace korbena
