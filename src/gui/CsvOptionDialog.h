#pragma once

#include "session/Dialogs.h"

#include <QDialog>

class QButtonGroup;

namespace korbena {

class NumberEdit;

// "Tfcsv_option": the separator of the CSV file and the column that becomes the
// title. Made once and reused, so it shows the values last entered.
class CsvOptionDialog : public QDialog
{
public:
    explicit CsvOptionDialog(QWidget* parent = nullptr);

    // What the dialog holds now; the column's integer part, cut toward zero.
    CsvOptions options() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QButtonGroup* m_separator = nullptr;
    NumberEdit* m_column = nullptr;
};

} // namespace korbena
