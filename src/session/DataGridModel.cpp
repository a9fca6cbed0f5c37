#include "session/DataGridModel.h"

#include "document/ChangeTracking.h"
#include "document/CsvImport.h"
#include "document/DataFile.h"
#include "document/GridEditing.h"
#include "document/HalfWidth.h"
#include "document/SerialNumbers.h"
#include "platform/Error.h"
#include "session/EditHistory.h"
#include "session/HistorySteps.h"

#include <algorithm>
#include <utility>

namespace korbena {

namespace {

void throwIfTooLarge(long long rowCount)
{
    if (rowCount > DataList::kMaxRowCount)
        throw Error(DataList::kTooLargeMessage);
}

} // namespace

DataGridModel::DataGridModel(DataList& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) {}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.RowCount() - 1;
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int row = gridRow(index.row());
    // The list's own string, shared, not copied.
    return index.column() == TitleColumn ? m_list.title(row) : m_list.number(row);
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return gridRow(section);
    switch (section) {
    case TitleColumn:
        return DataList::kTitleHeader;
    case NumberColumn:
        return DataList::kNumberHeader;
    default:
        return {};
    }
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::EditRole)
        return false;
    const int row = gridRow(index.row());
    if (index.column() != TitleColumn && value.toString().contains(u';')) {
        try {
            refuseSeparatorInNumber(value.toString(), row);
        } catch (const Error& e) {
            emit editRefused(e.message());
        }
        return false;
    }
    const CellsRecord record(*this, m_history, QStringLiteral("セル編集"), row, row,
                             index.column() == TitleColumn ? CellColumns::Titles : CellColumns::Numbers);
    const auto before = m_list.revision();
    if (index.column() == TitleColumn)
        m_list.setTitle(row, value.toString());
    else
        m_list.setNumber(row, value.toString());
    if (m_list.revision() != before)
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void DataGridModel::insertBlankRows(long long index, long long count)
{
    if (count < 1 || index < 1)
        return;
    const int oldCount = m_list.RowCount();
    throwIfTooLarge(oldCount + count);
    // An index among the hidden rows adds the rows at the end of the shown ones.
    const long long at = std::min<long long>(index, oldCount);
    // The hidden rows past the old end that the insert writes: covered by the rows
    // moved down, or emptied.
    const long long coveredFirst = index < oldCount ? oldCount : index;
    const long long coveredLast = std::max(oldCount + count, index + count) - 1;
    const bool record = recording();
    RowCells covered = record ? cells(coveredFirst, coveredLast, CellColumns::Both) : RowCells{};
    beginInsertRows({}, modelRow(static_cast<int>(at)), modelRow(static_cast<int>(at + count - 1)));
    InsertBlankRows(m_list, index, count);
    endInsertRows();
    if (record) {
        const QString name = QStringLiteral("%1行挿入").arg(count);
        m_history->add(new InsertRowsStep(*this, name, m_history->openGroup(), index, count, oldCount,
                                          std::move(covered)));
    }
}

void DataGridModel::insertBlankRowsRepeated(int top, int bottom, long long times)
{
    const long long span = static_cast<long long>(bottom) - top + 1;
    if (times < 1 || span < 1)
        return;
    throwIfTooLarge(times);
    throwIfTooLarge(times * span);
    insertBlankRows(top, times * span);
}

void DataGridModel::deleteRowRange(long long a, long long b)
{
    if (b < a)
        std::swap(a, b);
    const int rowCount = m_list.RowCount();
    const long long last = rowCount - 1;
    if (a > last)
        return;
    b = std::min(b, last);
    a = std::max(a, 1LL);
    if (b < a)
        return;
    const bool record = recording();
    RowCells removed = record ? cells(a, b, CellColumns::Both) : RowCells{};
    deleteRows(a, b);
    if (record) {
        const QString name = QStringLiteral("%1行削除").arg(b - a + 1);
        m_history->add(
            new DeleteRowsStep(*this, name, m_history->openGroup(), a, b, rowCount, std::move(removed)));
    }
}

void DataGridModel::deleteRows(long long a, long long b)
{
    const int rowCount = m_list.RowCount();
    const long long last = rowCount - 1;
    if (b - a + 1 >= last) {
        // Every data row: the first stays, emptied, and the others go. It is emptied
        // before the others go, so the views never see a kept row change as rows go.
        m_list.clearRow(1);
        cellsChanged(1, 1);
        if (rowCount > 2)
            beginRemoveRows({}, 1, rowCount - 2);
        DeleteRowRange(m_list, a, b);
        if (rowCount > 2)
            endRemoveRows();
        return;
    }
    beginRemoveRows({}, modelRow(static_cast<int>(a)), modelRow(static_cast<int>(b)));
    DeleteRowRange(m_list, a, b);
    endRemoveRows();
}

void DataGridModel::clearAllCells()
{
    const CellsRecord record(*this, m_history, QStringLiteral("全クリアー"), 1, m_list.RowCount() - 1,
                             CellColumns::Both);
    ClearAllCells(m_list);
    allCellsChanged();
}

void DataGridModel::appendRows(long long n)
{
    const int oldCount = m_list.RowCount();
    throwIfTooLarge(n);
    throwIfTooLarge(oldCount + n);
    const auto newCount = static_cast<int>(std::max<long long>(oldCount + n, DataList::kMinRowCount));
    const CellsRecord record(*this, m_history,
                             n > 0 ? QStringLiteral("%1行追加").arg(n) : QStringLiteral("%1行縮小").arg(-n),
                             1, 0, CellColumns::Both);
    if (newCount > oldCount) {
        beginInsertRows({}, modelRow(oldCount), modelRow(newCount - 1));
        AppendRows(m_list, n);
        endInsertRows();
    } else if (newCount < oldCount) {
        beginRemoveRows({}, modelRow(newCount), modelRow(oldCount - 1));
        AppendRows(m_list, n);
        endRemoveRows();
    }
}

void DataGridModel::fillTitles(int top, const QString& title)
{
    const CellsRecord record(*this, m_history, QStringLiteral("タイトル一括入力"), top, m_list.RowCount() - 1,
                             CellColumns::Titles);
    FillTitles(m_list, top, title);
    cellsChanged(top, m_list.RowCount() - 1, TitleColumn, TitleColumn);
}

void DataGridModel::fillNumbers(int top, const QString& number)
{
    const CellsRecord record(*this, m_history, QStringLiteral("番号一括入力"), top, m_list.RowCount() - 1,
                             CellColumns::Numbers);
    FillNumbers(m_list, top, number);
    cellsChanged(top, m_list.RowCount() - 1, NumberColumn, NumberColumn);
}

void DataGridModel::serializeRows(int top, const SerialSettings& settings)
{
    const CellsRecord record(*this, m_history, QStringLiteral("連番"), top, m_list.RowCount() - 1,
                             CellColumns::Numbers);
    SerializeRows(m_list, top, settings);
    cellsChanged(top, m_list.RowCount() - 1, NumberColumn, NumberColumn);
}

void DataGridModel::importCsvLines(int startRow, const QStringList& lines, QChar separator, int column)
{
    const long long start = std::max(startRow, 1);
    const long long needed = start + lines.size();
    const CellsRecord record(*this, m_history, QStringLiteral("CSV取込"), start,
                             std::max<long long>(needed, m_list.RowCount()) - 1, CellColumns::Both);
    growTo(needed);
    korbena::importCsvLines(m_list, startRow, lines, separator, column);
    cellsChanged(start, needed - 1);
}

CellArea DataGridModel::pasteBlock(int row, int column, const CellBlock& block)
{
    if (block.empty() || std::max(column, int(TitleColumn)) > NumberColumn)
        return {};
    refuseSeparatorInNumbers(block, std::max(row, 1), std::max(column, int(TitleColumn)));
    const long long first = std::max(row, 1);
    const CellsRecord record(*this, m_history, QStringLiteral("貼り付け"), first,
                             first + static_cast<long long>(block.size()) - 1, CellColumns::Both);
    // The rows are shown before they are written, so the views never meet a row they were not told of.
    growTo(static_cast<long long>(std::max(row, 1)) + static_cast<long long>(block.size()));
    const CellArea area = pasteCells(m_list, row, column, block);
    if (!area.isEmpty())
        cellsChanged(area.firstRow, area.lastRow, area.firstColumn, area.lastColumn);
    return area;
}

int DataGridModel::halfWidthNumbers(int first, int last)
{
    const CellsRecord record(*this, m_history, QStringLiteral("半角変換"), first, last, CellColumns::Numbers);
    const int changed = convertNumbersToHalfWidth(m_list, first, last);
    if (changed > 0)
        cellsChanged(first, last, NumberColumn, NumberColumn);
    return changed;
}

std::vector<DataRow> DataGridModel::applyDataLines(const QStringList& lines, const QString& fileName)
{
    growTo(lines.size());
    std::vector<DataRow> past;
    try {
        past = korbena::applyDataLines(lines, m_list, fileName);
    } catch (...) {
        allCellsChanged(); // the rows before the bad line are in
        throw;
    }
    allCellsChanged();
    return past;
}

void DataGridModel::restoreDataSnapshot(ChangeTracking& tracking)
{
    growTo(tracking.lastdata().size());
    try {
        tracking.RestoreDataSnapshot(m_list);
    } catch (...) {
        allCellsChanged();
        throw;
    }
    allCellsChanged();
}

// ---- the history's reads and writes ----

std::size_t RowCells::bytes() const
{
    std::size_t total = sizeof(RowCells) + (titles.capacity() + numbers.capacity()) * sizeof(QString);
    for (const auto* column : {&titles, &numbers})
        for (const QString& text : *column)
            total += text.isEmpty() ? 0 : sizeof(QArrayData) + static_cast<std::size_t>(text.capacity()) * 2;
    return total;
}

bool DataGridModel::recording() const
{
    return m_history && m_history->recording();
}

RowCells DataGridModel::cells(long long first, long long last, CellColumns columns) const
{
    RowCells cells;
    first = std::max(first, 1LL);
    last = std::min<long long>(last, DataList::kMaxRowCount - 1);
    cells.first = static_cast<int>(std::min<long long>(first, DataList::kMaxRowCount - 1));
    if (last < first)
        return cells;
    cells.count = static_cast<int>(last - first + 1);
    const auto n = static_cast<std::size_t>(cells.count);
    if (columns != CellColumns::Numbers) {
        cells.titles.reserve(n);
        for (long long row = first; row <= last; ++row)
            cells.titles.push_back(m_list.title(static_cast<int>(row)));
    }
    if (columns != CellColumns::Titles) {
        cells.numbers.reserve(n);
        for (long long row = first; row <= last; ++row)
            cells.numbers.push_back(m_list.number(static_cast<int>(row)));
    }
    return cells;
}

void DataGridModel::writeCells(const RowCells& cells, bool blankWhenEmpty)
{
    const bool titles = !cells.titles.empty(), numbers = !cells.numbers.empty();
    for (int i = 0; i < cells.count; ++i) {
        const int row = cells.first + i;
        const auto at = static_cast<std::size_t>(i);
        if (titles || blankWhenEmpty)
            m_list.setTitle(row, titles ? cells.titles[at] : QString());
        if (numbers || blankWhenEmpty)
            m_list.setNumber(row, numbers ? cells.numbers[at] : QString());
    }
}

void DataGridModel::setShownRowCount(int count)
{
    count = std::max(count, DataList::kMinRowCount);
    const int oldCount = m_list.RowCount();
    if (count > oldCount) {
        beginInsertRows({}, modelRow(oldCount), modelRow(count - 1));
        m_list.SetRowCount(count);
        endInsertRows();
    } else if (count < oldCount) {
        beginRemoveRows({}, modelRow(count), modelRow(oldCount - 1));
        m_list.SetRowCount(count);
        endRemoveRows();
    }
}

void DataGridModel::putCells(const RowCells& cells, int rowCount)
{
    // Shown first when growing, hidden last when shrinking, so the views hear only of
    // rows they know.
    if (rowCount > m_list.RowCount())
        setShownRowCount(rowCount);
    writeCells(cells, false);
    const int firstColumn = cells.titles.empty() ? NumberColumn : TitleColumn;
    const int lastColumn = cells.numbers.empty() ? TitleColumn : NumberColumn;
    if (cells.count > 0 && firstColumn <= lastColumn)
        cellsChanged(cells.first, static_cast<long long>(cells.first) + cells.count - 1, firstColumn,
                     lastColumn);
    if (rowCount < m_list.RowCount())
        setShownRowCount(rowCount);
}

void DataGridModel::takeInsertedRowsBack(long long index, long long count, int rowCountBefore,
                                         const RowCells& covered)
{
    const int newCount = m_list.RowCount();
    const long long at = std::min<long long>(index, rowCountBefore);
    beginRemoveRows({}, modelRow(static_cast<int>(at)), modelRow(static_cast<int>(at + count - 1)));
    if (index < rowCountBefore) {
        for (long long row = index + count; row < newCount; ++row)
            m_list.moveRow(static_cast<int>(row), static_cast<int>(row - count));
    }
    writeCells(covered, true);
    m_list.SetRowCount(rowCountBefore);
    endRemoveRows();
}

void DataGridModel::putDeletedRowsBack(long long first, long long last, int rowCountBefore,
                                       const RowCells& removed)
{
    const long long n = last - first + 1;
    if (rowCountBefore == 2 || 1 >= rowCountBefore - n) {
        // Every data row went: the first was emptied and the others only hidden.
        setShownRowCount(rowCountBefore);
        writeCells(removed, true);
        cellsChanged(first, last);
        return;
    }
    beginInsertRows({}, modelRow(static_cast<int>(first)), modelRow(static_cast<int>(last)));
    m_list.SetRowCount(rowCountBefore);
    for (long long row = rowCountBefore - 1; row > last; --row)
        m_list.copyRow(static_cast<int>(row - n), static_cast<int>(row));
    writeCells(removed, true);
    endInsertRows();
}

void DataGridModel::growTo(long long count)
{
    throwIfTooLarge(count);
    const int oldCount = m_list.RowCount();
    if (count <= oldCount)
        return;
    beginInsertRows({}, modelRow(oldCount), modelRow(static_cast<int>(count) - 1));
    m_list.SetRowCount(count);
    endInsertRows();
}

void DataGridModel::cellsChanged(long long first, long long last, int firstColumn, int lastColumn)
{
    first = std::max(first, 1LL);
    last = std::min<long long>(last, m_list.RowCount() - 1);
    if (first > last)
        return;
    emit dataChanged(index(modelRow(static_cast<int>(first)), firstColumn),
                     index(modelRow(static_cast<int>(last)), lastColumn));
}

} // namespace korbena
