#include "gui/GridPanel.h"

#include "session/AppController.h"
#include "session/DataGridModel.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <functional>

namespace korbena {

namespace {

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The grid: Enter never moves or opens a cell, it redraws the preview; Ctrl+C and
// Ctrl+V copy and paste blocks of cells as spreadsheets exchange them.
class GridView : public QTableView
{
public:
    GridView(std::function<void()> enter, QWidget* parent) : QTableView(parent), m_enter(std::move(enter)) {}

    std::function<void()> copy;
    std::function<void()> paste;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (isEnter(event)) {
            event->accept();
            m_enter();
            return;
        }
        if (event->matches(QKeySequence::Copy) && copy) {
            event->accept();
            copy();
            return;
        }
        if (event->matches(QKeySequence::Paste) && paste) {
            event->accept();
            paste();
            return;
        }
        QTableView::keyPressEvent(event);
    }

private:
    std::function<void()> m_enter;
};

// The cell editor: Enter closes it and redraws, rather than leaving the write for
// later as the standard editor does.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(std::function<void()> enter, QObject* parent)
        : QStyledItemDelegate(parent), m_enter(std::move(enter))
    {
    }

    // The cell takes the text as it is typed, so a command chosen while the editor is
    // still open sees it.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            auto* self = const_cast<CellDelegate*>(this);
            connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
        }
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && isEnter(event)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            m_enter();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    std::function<void()> m_enter;
};

} // namespace

GridPanel::GridPanel(AppController& controller, QWidget* parent) : QWidget(parent), m_controller(controller)
{
    createView();
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GridPanel::reportSelection);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridPanel::reportSelection);
    connect(&m_controller, &AppController::gridSelectionChanged, this, &GridPanel::showSelection);
    createContextMenu();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(createButtons());
}

void GridPanel::createView()
{
    AppController& c = m_controller;
    const auto enter = [&c] { c.gridEnterPressed(); };
    auto* view = new GridView(enter, this);
    view->copy = [this] { copyCells(); };
    view->paste = [this] { pasteCells(); };
    m_view = view;
    m_view->setObjectName(QStringLiteral("StrColGrid2"));
    m_view->setModel(&c.grid());
    m_view->setItemDelegate(new CellDelegate(enter, m_view));
    m_view->setToolTip(QStringLiteral("変更後はEnterキーを押してください。"));
    m_view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_view->setWordWrap(false);
    // 100,000 rows: fixed row heights and no sizing to contents, so nothing walks the rows.
    QHeaderView* rows = m_view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    rows->setMinimumWidth(30);
    QHeaderView* columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(false);
    columns->resizeSection(DataGridModel::TitleColumn, 115);
    columns->resizeSection(DataGridModel::NumberColumn, 108);
}

void GridPanel::createContextMenu()
{
    AppController& c = m_controller;
    // The context menu: the cell commands, then the fills and the numbering the edit
    // menu has too.
    m_menu = new QMenu(this);
    const std::pair<const char*, void (AppController::*)()> items[] = {
        {"セルの1行割込", &AppController::insertRowCommand},
        {"セルの1行削除", &AppController::deleteRowsCommand},
        {"セルの1行追加", &AppController::appendRowQuietlyCommand},
        {"セルの指定行数追加", &AppController::appendRowsCommand},
        {"セルの指定行数割り込み", &AppController::insertRowsCommand},
        {nullptr, nullptr},
        {"選択中の行から最終行までに同一のバーコードタイトルを入力", &AppController::fillTitlesCommand},
        {"選択中の行から最終行(タイトルのある行)までに同一のバーコード番号を入力",
         &AppController::fillNumbersCommand},
        {"選択中の行から最終行(タイトルのある行)までをシリアル化", &AppController::serializeCommand},
    };
    for (const auto& [text, command] : items) {
        if (!text) {
            m_menu->addSeparator();
            continue;
        }
        QAction* action = m_menu->addAction(QString::fromUtf8(text));
        connect(action, &QAction::triggered, &c, command);
    }
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_view->viewport()->mapToGlobal(at)); });
}

QGridLayout* GridPanel::createButtons()
{
    AppController& c = m_controller;
    auto* buttons = new QGridLayout;
    const std::pair<const char*, void (AppController::*)()> buttonCommands[] = {
        {"全クリアー", &AppController::clearAllCommand},
        {"1行割込", &AppController::insertRowCommand},
        {"1行削除", &AppController::deleteRowsCommand},
        {"1行追加", &AppController::appendRowCommand},
        {"指定行数追加", &AppController::appendRowsCommand},
        {"指定行数割込", &AppController::insertRowsCommand},
    };
    int i = 0;
    for (const auto& [text, command] : buttonCommands) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QString::fromUtf8(text));
        button->setFocusPolicy(Qt::NoFocus); // the grid keeps the focus and its selection
        connect(button, &QPushButton::clicked, &c, command);
        buttons->addWidget(button, i / 3, i % 3);
        ++i;
    }
    return buttons;
}

void GridPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_widthsRestored)
        return;
    // The settings are read once the window exists; from now on every drag is kept.
    m_widthsRestored = true;
    const WindowSettings& s = m_controller.settings();
    QHeaderView* columns = m_view->horizontalHeader();
    if (s.titleColumnWidth > 0)
        columns->resizeSection(DataGridModel::TitleColumn, s.titleColumnWidth);
    if (s.numberColumnWidth > 0)
        columns->resizeSection(DataGridModel::NumberColumn, s.numberColumnWidth);
    connect(columns, &QHeaderView::sectionResized, this, [this, columns] {
        m_controller.setColumnWidths(columns->sectionSize(DataGridModel::TitleColumn),
                                     columns->sectionSize(DataGridModel::NumberColumn));
    });
}

void GridPanel::reportSelection()
{
    int top = INT_MAX, bottom = -1;
    for (const QItemSelectionRange& range : m_view->selectionModel()->selection()) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    if (bottom < 0) {
        const QModelIndex current = m_view->currentIndex();
        if (!current.isValid())
            return;
        top = bottom = current.row();
    }
    m_controller.setGridSelection(DataGridModel::gridRow(top), DataGridModel::gridRow(bottom));
}

void GridPanel::copyCells()
{
    const QItemSelection selection = m_view->selectionModel()->selection();
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    if (bottom < 0) {
        const QModelIndex current = m_view->currentIndex();
        if (!current.isValid())
            return;
        top = bottom = current.row();
        left = right = current.column();
    }
    QGuiApplication::clipboard()->setText(
        m_controller.copyCellsText(DataGridModel::gridRow(top), DataGridModel::gridRow(bottom), left, right));
}

void GridPanel::pasteCells()
{
    QModelIndex at = m_view->currentIndex();
    if (!at.isValid())
        at = m_view->model()->index(0, 0);
    const CellArea area = m_controller.pasteCellsCommand(QGuiApplication::clipboard()->text(),
                                                         DataGridModel::gridRow(at.row()), at.column());
    if (area.isEmpty())
        return;
    // The pasted block stays selected, as a spreadsheet leaves it.
    const QAbstractItemModel* model = m_view->model();
    const QModelIndex first = model->index(DataGridModel::modelRow(area.firstRow), area.firstColumn);
    const QModelIndex last = model->index(DataGridModel::modelRow(area.lastRow), area.lastColumn);
    m_view->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    m_view->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
}

void GridPanel::showSelection(int top, int bottom)
{
    const QAbstractItemModel* model = m_view->model();
    const int column = std::max(m_view->currentIndex().column(), 0);
    const QModelIndex first = model->index(DataGridModel::modelRow(top), DataGridModel::TitleColumn);
    const QModelIndex last = model->index(DataGridModel::modelRow(bottom), DataGridModel::NumberColumn);
    QItemSelectionModel* selection = m_view->selectionModel();
    selection->setCurrentIndex(model->index(first.row(), column), QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
    m_view->scrollTo(first);
}

} // namespace korbena
