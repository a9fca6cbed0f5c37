#include "gui/PrintCheckDialog.h"

#include "sheet/PrintCheckReport.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace korbena {

namespace {

// A long list costs the dialog time to open and the user nothing to see at once:
// beyond this the rest is counted in one line.
constexpr int kListedRows = 5000;

// The line above the list: refused, all read, nothing wrong but some unchecked, or faults.
QString headingText(const PrintCheckReport& report)
{
    if (!report.refusal.isEmpty())
        return report.refusal;
    if (report.passed() && report.problems.empty())
        return QStringLiteral("すべてのバーコードを読み取り確認しました。");
    if (report.passed())
        return QStringLiteral("バーコードに誤りはありません。確認できなかった行があります。");
    // Barcodes that read, on labels whose content runs out of them.
    const bool onlyRunningOut = std::all_of(report.problems.begin(), report.problems.end(), [](RowCheck row) {
        if (row.verdict == RowVerdict::Outside)
            return true;
        row.outside = {};
        return !row.fails();
    });
    if (onlyRunningOut)
        return QStringLiteral("次の行はラベルからはみ出しています。");
    return QStringLiteral("次の行のバーコードは正しく印刷されません。");
}

// One line per problem row, then a line for the rows beyond the list and one for the
// rows of a symbology no reader decodes.
QList<QTreeWidgetItem*> problemItems(const PrintCheckReport& report)
{
    int folded = 0, listed = 0;
    QList<QTreeWidgetItem*> items;
    for (const RowCheck& row : report.problems) {
        // A symbology no reader decodes would list every row: counted once below.
        if (row.verdict == RowVerdict::TypeNotChecked && !row.fullWidth && !row.outside.any()) {
            ++folded;
            continue;
        }
        if (++listed > kListedRows)
            continue;
        auto* item =
            new QTreeWidgetItem(QStringList{QString::number(row.row), row.title, row.number, row.reason()});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    if (listed > kListedRows)
        items << new QTreeWidgetItem(
            QStringList{{}, {}, {}, QStringLiteral("ほか %1 行").arg(listed - kListedRows)});
    if (folded > 0)
        items << new QTreeWidgetItem(
            QStringList{{},
                        {},
                        {},
                        QStringLiteral("%1: この種類は読み取り確認できません（%2 件）")
                            .arg(report.symbology)
                            .arg(folded)});
    return items;
}

} // namespace

PrintCheckDialog::PrintCheckDialog(const PrintCheckReport& report, Dialogs::PrintCheckMode mode,
                                   bool offerHalfWidth, QWidget* parent)
    : QDialog(parent)
{
    const bool beforePrinting = mode == Dialogs::PrintCheckMode::BeforePrinting;
    setWindowTitle(QStringLiteral("印刷前チェック"));
    setObjectName(QStringLiteral("PrintCheckDialog"));
    auto* column = new QVBoxLayout(this);

    auto* heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setWordWrap(true);
    heading->setText(headingText(report));
    column->addWidget(heading);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("problems"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("行"), QStringLiteral("文字列"), QStringLiteral("バーコード番号"),
                             QStringLiteral("理由")});
    const QList<QTreeWidgetItem*> items = problemItems(report);
    m_list->addTopLevelItems(items);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    m_list->setVisible(!items.isEmpty());
    column->addWidget(m_list, 1);

    auto* summary = new QLabel(report.summary(), this);
    summary->setObjectName(QStringLiteral("summary"));
    column->addWidget(summary);

    column->addWidget(createButtons(beforePrinting, offerHalfWidth));
    resize(720, items.isEmpty() ? 160 : 420);
}

QDialogButtonBox* PrintCheckDialog::createButtons(bool beforePrinting, bool offerHalfWidth)
{
    using Choice = Dialogs::PrintCheckChoice;
    auto* buttons = new QDialogButtonBox(this);
    if (offerHalfWidth) {
        QPushButton* convert =
            buttons->addButton(QStringLiteral("バーコード番号を半角に変換"), QDialogButtonBox::ActionRole);
        convert->setObjectName(QStringLiteral("halfWidth"));
        connect(convert, &QPushButton::clicked, this, [this] { choose(Choice::ConvertToHalfWidth); });
    }
    if (beforePrinting) {
        QPushButton* print = buttons->addButton(QStringLiteral("印刷する"), QDialogButtonBox::AcceptRole);
        print->setObjectName(QStringLiteral("print"));
        connect(print, &QPushButton::clicked, this, [this] { choose(Choice::Print); });
    }
    QPushButton* cancel =
        buttons->addButton(beforePrinting ? QStringLiteral("キャンセル") : QStringLiteral("閉じる"),
                           QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { choose(Choice::Cancel); });
    // Printing a wasted sheet must be a deliberate click, never the Enter key.
    cancel->setDefault(true);
    return buttons;
}

void PrintCheckDialog::choose(Dialogs::PrintCheckChoice choice)
{
    m_choice = choice;
    if (choice == Dialogs::PrintCheckChoice::Print)
        accept();
    else
        done(choice == Dialogs::PrintCheckChoice::Cancel ? QDialog::Rejected : QDialog::Accepted);
}

} // namespace korbena
