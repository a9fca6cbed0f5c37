#pragma once

#include "symbol/BarImage.h"

#include <QMainWindow>

class QLineEdit;
class QComboBox;
class QLabel;

namespace korbena {

class BarImageView;

// The main window: for now the one barcode component with its symbology and code.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    BarImage& barImage() { return m_bar; }

private:
    void showState();

    BarImage m_bar;
    BarImageView* m_view = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_code = nullptr;
    QLabel* m_state = nullptr;
};

} // namespace korbena
