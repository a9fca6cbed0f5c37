#include "gui/DetailedCsvDialog.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace korbena {

namespace {

constexpr int kPreviewRecords = 20;

QString encodingName(CsvEncoding encoding)
{
    return encoding == CsvEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("シフトJIS (CP932)");
}

QString separatorName(CsvSeparator separator)
{
    switch (separator) {
    case CsvSeparator::Comma:
        return QStringLiteral("カンマ");
    case CsvSeparator::Tab:
        return QStringLiteral("タブ");
    case CsvSeparator::Space:
        return QStringLiteral("スペース");
    case CsvSeparator::Semicolon:
        return QStringLiteral("セミコロン");
    }
    return {};
}

} // namespace

DetailedCsvDialog::DetailedCsvDialog(const QString& path, const DetailedCsvSettings& initial, QWidget* parent)
    : QDialog(parent), m_path(path)
{
    setObjectName(QStringLiteral("DetailedCsvDialog"));
    setWindowTitle(QStringLiteral("CSV取込(詳細)"));
    setModal(true);
    try {
        m_bytes = readWholeFile(path);
    } catch (const Error&) {
        // The preview stays empty; the import itself reports the file.
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QFileInfo(path).fileName(), this));
    layout->addWidget(createReadingGroup(initial));
    addPreview(layout);
    layout->addWidget(createColumnsGroup(initial));
    layout->addWidget(createButtons());

    // The column lists start from the settings last used.
    m_title->setProperty("keep", initial.columns.titleColumn);
    m_number->setProperty("keep", initial.columns.numberColumn);
    m_quantity->setProperty("keep", initial.columns.quantityColumn);
    refresh();
    connectRefresh();
    resize(640, 640);
}

QGroupBox* DetailedCsvDialog::createReadingGroup(const DetailedCsvSettings& initial)
{
    auto* reading = new QGroupBox(QStringLiteral("ファイルの読み方"), this);
    auto* readForm = new QFormLayout(reading);
    m_separator = new QComboBox(reading);
    m_separator->setObjectName(QStringLiteral("separator"));
    m_separator->addItem(QStringLiteral("自動検出"), -1);
    for (CsvSeparator s :
         {CsvSeparator::Comma, CsvSeparator::Tab, CsvSeparator::Space, CsvSeparator::Semicolon})
        m_separator->addItem(separatorName(s), static_cast<int>(s));
    m_separator->setCurrentIndex(std::max(
        0,
        m_separator->findData(initial.format.separator ? static_cast<int>(*initial.format.separator) : -1)));
    readForm->addRow(QStringLiteral("区切文字"), m_separator);
    m_encoding = new QComboBox(reading);
    m_encoding->setObjectName(QStringLiteral("encoding"));
    m_encoding->addItem(QStringLiteral("自動検出"), static_cast<int>(CsvEncoding::Auto));
    m_encoding->addItem(encodingName(CsvEncoding::Cp932), static_cast<int>(CsvEncoding::Cp932));
    m_encoding->addItem(encodingName(CsvEncoding::Utf8), static_cast<int>(CsvEncoding::Utf8));
    m_encoding->setCurrentIndex(std::max(0, m_encoding->findData(static_cast<int>(initial.format.encoding))));
    m_detected = new QLabel(reading);
    auto* encodingRow = new QHBoxLayout;
    encodingRow->addWidget(m_encoding);
    encodingRow->addWidget(m_detected, 1);
    readForm->addRow(QStringLiteral("文字コード"), encodingRow);
    m_quoting = new QCheckBox(QStringLiteral("引用符で囲まれた値 (RFC 4180)"), reading);
    m_quoting->setChecked(initial.format.quoting);
    readForm->addRow(m_quoting);
    addSheetField(readForm, initial.format.sheet);
    m_header = new QCheckBox(QStringLiteral("1行目は見出し"), reading);
    m_header->setObjectName(QStringLiteral("header"));
    m_header->setChecked(initial.columns.header);
    readForm->addRow(m_header);
    m_firstLine = new QSpinBox(reading);
    m_firstLine->setRange(1, 1000000);
    m_firstLine->setValue(std::max(initial.columns.firstLine, 1));
    readForm->addRow(QStringLiteral("読み始める行"), m_firstLine);
    return reading;
}

void DetailedCsvDialog::addPreview(QVBoxLayout* layout)
{
    m_preview = new QTableView(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_records = new QStandardItemModel(m_preview);
    m_preview->setModel(m_records);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->setDefaultSectionSize(m_preview->fontMetrics().height() + 6);
    m_preview->setMinimumSize(560, 200);
    layout->addWidget(m_preview, 1);
    m_fault = new QLabel(this);
    m_fault->setStyleSheet(QStringLiteral("color: #d04040"));
    layout->addWidget(m_fault);
}

QGroupBox* DetailedCsvDialog::createColumnsGroup(const DetailedCsvSettings& initial)
{
    auto* columns = new QGroupBox(QStringLiteral("取り込む列"), this);
    auto* columnForm = new QFormLayout(columns);
    m_title = new QComboBox(columns);
    m_title->setObjectName(QStringLiteral("titleColumn"));
    m_number = new QComboBox(columns);
    m_number->setObjectName(QStringLiteral("numberColumn"));
    m_quantity = new QComboBox(columns);
    m_quantity->setObjectName(QStringLiteral("quantityColumn"));
    columnForm->addRow(QStringLiteral("タイトルの列"), m_title);
    columnForm->addRow(QStringLiteral("バーコード番号の列"), m_number);
    columnForm->addRow(QStringLiteral("枚数の列"), m_quantity);
    m_startRow = new QSpinBox(columns);
    m_startRow->setObjectName(QStringLiteral("startRow"));
    m_startRow->setRange(1, DataList::kMaxRowCount - 1);
    m_startRow->setValue(std::max(initial.startRow, 1));
    columnForm->addRow(QStringLiteral("グリッドの開始行"), m_startRow);
    return columns;
}

QDialogButtonBox* DetailedCsvDialog::createButtons()
{
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("取込"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("import"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void DetailedCsvDialog::connectRefresh()
{
    for (QComboBox* box : {m_separator, m_encoding})
        connect(box, &QComboBox::currentIndexChanged, this, &DetailedCsvDialog::refresh);
    for (QCheckBox* box : {m_quoting, m_header})
        connect(box, &QCheckBox::toggled, this, &DetailedCsvDialog::refresh);
    connect(m_firstLine, &QSpinBox::valueChanged, this, &DetailedCsvDialog::refresh);
    connect(m_sheet, &QLineEdit::textChanged, this, &DetailedCsvDialog::refresh);
}

void DetailedCsvDialog::addSheetField(QFormLayout* form, const QString& sheet)
{
    // A spreadsheet has cells, not separated text: the sheet replaces separator,
    // encoding and quoting.
    m_sheet = new QLineEdit(sheet, form->parentWidget());
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_sheet->setPlaceholderText(QStringLiteral("空欄: 最初のシート"));
    form->addRow(QStringLiteral("シート名"), m_sheet);
    const bool spreadsheet = isSpreadsheetFile(m_path);
    m_sheet->setEnabled(spreadsheet);
    for (QWidget* w : std::initializer_list<QWidget*>{m_separator, m_encoding, m_quoting})
        w->setEnabled(!spreadsheet);
}

void DetailedCsvDialog::fillColumns(QComboBox* box, int columns, const QStringList& headings,
                                    const QString& none, int keep)
{
    const QSignalBlocker block(box);
    box->clear();
    if (!none.isEmpty())
        box->addItem(none, 0);
    for (int c = 1; c <= std::max(columns, keep); ++c) {
        const QString heading = headings.value(c - 1);
        box->addItem(heading.isEmpty() ? QStringLiteral("%1列目").arg(c)
                                       : QStringLiteral("%1列目: %2").arg(c).arg(heading),
                     c);
    }
    box->setCurrentIndex(std::max(0, box->findData(keep)));
}

void DetailedCsvDialog::refresh()
{
    const DetailedCsvSettings now = settings();
    CsvFormat format = now.format;
    // The preview reads past the lines skipped, so the first line shown is the first taken.
    const qsizetype wanted = kPreviewRecords + now.columns.firstLine - 1;
    CsvTable table;
    QString fault;
    if (isSpreadsheetFile(m_path)) {
        try {
            table = readCsvTable(m_path, format, wanted);
        } catch (const Error& e) {
            fault = e.message();
        }
        m_detected->clear();
    } else {
        table = parseCsvTable(m_bytes, format, wanted);
        m_detected->setText(QStringLiteral("(%1、%2区切り)")
                                .arg(encodingName(table.encoding), separatorName(table.separator)));
    }

    CellBlock records(table.records.begin() +
                          std::min<qsizetype>(now.columns.firstLine - 1, table.records.size()),
                      table.records.end());
    QStringList headings;
    if (now.columns.header && !records.empty()) {
        headings = records.front();
        records.erase(records.begin());
    }
    int widest = 0;
    for (const QStringList& r : table.records)
        widest = std::max(widest, static_cast<int>(r.size()));
    m_records->clear();
    m_records->setColumnCount(widest);
    for (int c = 0; c < widest; ++c)
        m_records->setHeaderData(c, Qt::Horizontal,
                                 headings.value(c).isEmpty()
                                     ? QStringLiteral("%1").arg(c + 1)
                                     : QStringLiteral("%1: %2").arg(c + 1).arg(headings[c]));
    for (const QStringList& r : records) {
        QList<QStandardItem*> items;
        for (const QString& cell : r)
            items << new QStandardItem(cell);
        m_records->appendRow(items);
    }
    const auto keep = [](QComboBox* box) {
        return box->count() ? box->currentData().toInt() : box->property("keep").toInt();
    };
    fillColumns(m_title, widest, headings, {}, std::max(keep(m_title), 1));
    fillColumns(m_number, widest, headings, QStringLiteral("シリアル番号で付ける"), keep(m_number));
    fillColumns(m_quantity, widest, headings, QStringLiteral("なし (1枚ずつ)"), keep(m_quantity));
    if (fault.isEmpty() && m_bytes.isEmpty())
        fault = QStringLiteral("ファイルを読めないか、空です");
    m_fault->setText(fault);
}

DetailedCsvSettings DetailedCsvDialog::settings() const
{
    DetailedCsvSettings s;
    const int separator = m_separator->currentData().toInt();
    if (separator >= 0)
        s.format.separator = static_cast<CsvSeparator>(separator);
    s.format.encoding = static_cast<CsvEncoding>(m_encoding->currentData().toInt());
    s.format.quoting = m_quoting->isChecked();
    s.format.sheet = m_sheet->text();
    s.columns.header = m_header->isChecked();
    s.columns.firstLine = m_firstLine->value();
    const auto column = [](const QComboBox* box) {
        return box->count() ? box->currentData().toInt() : box->property("keep").toInt();
    };
    s.columns.titleColumn = std::max(column(m_title), 1);
    s.columns.numberColumn = column(m_number);
    s.columns.quantityColumn = column(m_quantity);
    s.startRow = m_startRow->value();
    return s;
}

} // namespace korbena
