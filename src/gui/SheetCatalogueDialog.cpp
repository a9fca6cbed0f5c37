#include "gui/SheetCatalogueDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace korbena {

// The chosen stock drawn to scale: the paper and its labels.
class SheetDrawing : public QWidget
{
public:
    explicit SheetDrawing(QWidget* parent) : QWidget(parent) { setMinimumSize(180, 250); }

    void setLayout(std::optional<SheetLayout> layout)
    {
        m_layout = std::move(layout);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (!m_layout || m_layout->paperWidth <= 0 || m_layout->paperHeight <= 0)
            return;
        const SheetLayout& l = *m_layout;
        const double scale = std::min((width() - 10) / l.paperWidth, (height() - 10) / l.paperHeight);
        const QPointF origin((width() - l.paperWidth * scale) / 2, (height() - l.paperHeight * scale) / 2);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(origin, QSizeF(l.paperWidth * scale, l.paperHeight * scale)));
        p.setPen(QPen(QColor(90, 120, 200), 1));
        p.setBrush(QColor(220, 230, 250));
        for (int r = 0; r < l.down; ++r)
            for (int c = 0; c < l.across; ++c)
                p.drawRect(QRectF(
                    origin + QPointF((l.firstX + c * l.pitchX) * scale, (l.firstY + r * l.pitchY) * scale),
                    QSizeF(l.labelWidth * scale, l.labelHeight * scale)));
    }

private:
    std::optional<SheetLayout> m_layout;
};

namespace {

QString mm(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace

SheetCatalogueDialog::SheetCatalogueDialog(std::vector<SheetLayout> layouts, QWidget* parent)
    : QDialog(parent), m_layouts(std::move(layouts))
{
    setObjectName(QStringLiteral("SheetCatalogueDialog"));
    setWindowTitle(QStringLiteral("用紙テンプレート"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("検索"), this));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("メーカー・品番・面数 (例: 44面)"));
    m_search->setClearButtonEnabled(true);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);

    auto* body = new QHBoxLayout;
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("layouts"));
    m_rows = new QStandardItemModel(0, 6, m_list);
    m_rows->setHorizontalHeaderLabels({QStringLiteral("メーカー"), QStringLiteral("品番"),
                                       QStringLiteral("面数"), QStringLiteral("ラベル寸法"),
                                       QStringLiteral("配置"), QStringLiteral("説明")});
    m_list->setModel(m_rows);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setMinimumSize(620, 360);
    body->addWidget(m_list, 1);
    m_drawing = new SheetDrawing(this);
    body->addWidget(m_drawing);
    layout->addLayout(body, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton(QStringLiteral("適用"), QDialogButtonBox::AcceptRole);
    m_apply->setObjectName(QStringLiteral("apply"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &SheetCatalogueDialog::search);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    search();
    resize(900, 520);
}

void SheetCatalogueDialog::search()
{
    m_found = searchLayouts(m_layouts, m_search->text());
    m_rows->removeRows(0, m_rows->rowCount());
    for (const SheetLayout& l : m_found) {
        QList<QStandardItem*> items{
            new QStandardItem(l.maker),
            new QStandardItem(l.partNumber),
            new QStandardItem(QStringLiteral("%1面").arg(l.labelsPerSheet())),
            new QStandardItem(QStringLiteral("%1×%2mm").arg(mm(l.labelWidth), mm(l.labelHeight))),
            new QStandardItem(QStringLiteral("%1列×%2段").arg(l.across).arg(l.down)),
            new QStandardItem(l.description),
        };
        m_rows->appendRow(items);
    }
    m_list->resizeColumnsToContents();
    // The selection model is the view's own and outlives a search.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SheetCatalogueDialog::showChosen, Qt::UniqueConnection);
    if (!m_found.empty())
        m_list->selectRow(0);
    showChosen();
}

std::optional<SheetLayout> SheetCatalogueDialog::chosen() const
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || current.row() >= static_cast<int>(m_found.size()))
        return std::nullopt;
    return m_found[static_cast<std::size_t>(current.row())];
}

void SheetCatalogueDialog::showChosen()
{
    const auto layout = chosen();
    m_drawing->setLayout(layout);
    m_apply->setEnabled(layout.has_value());
}

} // namespace korbena
