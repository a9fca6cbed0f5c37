#pragma once

#include "session/Dialogs.h"

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStandardItemModel;
class QTableView;
class QVBoxLayout;

namespace korbena {

// "CSV取込(詳細)": how a CSV or spreadsheet file is read and which of its columns become the title,
// the barcode number and the quantity, with the file's first records shown as they
// read with the settings chosen.
class DetailedCsvDialog : public QDialog
{
public:
    DetailedCsvDialog(const QString& path, const DetailedCsvSettings& initial, QWidget* parent = nullptr);

    DetailedCsvSettings settings() const;
    QTableView* preview() const { return m_preview; }

private:
    // Reads the first records again with the settings chosen and fills the preview and
    // the column lists.
    void refresh();
    // The constructor's steps, in the order the dialog shows them.
    QGroupBox* createReadingGroup(const DetailedCsvSettings& initial);
    void addPreview(QVBoxLayout* layout);
    QGroupBox* createColumnsGroup(const DetailedCsvSettings& initial);
    QDialogButtonBox* createButtons();
    void connectRefresh();
    void addSheetField(QFormLayout* form, const QString& sheet);
    void fillColumns(QComboBox* box, int columns, const QStringList& headings, const QString& none, int keep);

    QByteArray m_bytes;
    QString m_path;
    QComboBox* m_separator = nullptr;
    QComboBox* m_encoding = nullptr;
    QLabel* m_detected = nullptr;
    QCheckBox* m_quoting = nullptr;
    QCheckBox* m_header = nullptr;
    QLineEdit* m_sheet = nullptr; // spreadsheet files: the sheet's name, empty for the first
    QSpinBox* m_firstLine = nullptr;
    QComboBox* m_title = nullptr;
    QComboBox* m_number = nullptr;
    QComboBox* m_quantity = nullptr;
    QSpinBox* m_startRow = nullptr;
    QTableView* m_preview = nullptr;
    QStandardItemModel* m_records = nullptr;
    QLabel* m_fault = nullptr;
};

} // namespace korbena
