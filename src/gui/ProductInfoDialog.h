#pragma once

#include <QDialog>

class QLabel;

namespace korbena {

// "製品案内": the program's name, version, maker and home page.
class ProductInfoDialog : public QDialog
{
public:
    explicit ProductInfoDialog(QWidget* parent = nullptr);

    QString versionLine() const;

private:
    QLabel* m_version;
};

} // namespace korbena
