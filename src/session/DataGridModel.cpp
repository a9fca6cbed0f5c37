#include "session/DataGridModel.h"

#include "document/ChangeTracking.h"
#include "document/CsvImport.h"
#include "document/DataFile.h"
#include "document/GridEditing.h"
#include "document/HalfWidth.h"
#include "document/SerialNumbers.h"
#include "platform/Error.h"

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
    beginInsertRows({}, modelRow(static_cast<int>(at)), modelRow(static_cast<int>(at + count - 1)));
    InsertBlankRows(m_list, index, count);
    endInsertRows();
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
    if (b - a + 1 >= last) {
        // Every data row: the first stays, emptied, and the others go.
        if (rowCount > 2)
            beginRemoveRows({}, 1, rowCount - 2);
        DeleteRowRange(m_list, a, b);
        if (rowCount > 2)
            endRemoveRows();
        cellsChanged(1, 1);
        return;
    }
    beginRemoveRows({}, modelRow(static_cast<int>(a)), modelRow(static_cast<int>(b)));
    DeleteRowRange(m_list, a, b);
    endRemoveRows();
}

void DataGridModel::clearAllCells()
{
    ClearAllCells(m_list);
    allCellsChanged();
}

void DataGridModel::appendRows(long long n)
{
    const int oldCount = m_list.RowCount();
    throwIfTooLarge(n);
    throwIfTooLarge(oldCount + n);
    const auto newCount = static_cast<int>(std::max<long long>(oldCount + n, DataList::kMinRowCount));
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
    FillTitles(m_list, top, title);
    cellsChanged(top, m_list.RowCount() - 1, TitleColumn, TitleColumn);
}

void DataGridModel::fillNumbers(int top, const QString& number)
{
    FillNumbers(m_list, top, number);
    cellsChanged(top, m_list.RowCount() - 1, NumberColumn, NumberColumn);
}

void DataGridModel::serializeRows(int top, const SerialSettings& settings)
{
    SerializeRows(m_list, top, settings);
    cellsChanged(top, m_list.RowCount() - 1, NumberColumn, NumberColumn);
}

void DataGridModel::importCsvLines(int startRow, const QStringList& lines, QChar separator, int column)
{
    const long long start = std::max(startRow, 1);
    const long long needed = start + lines.size();
    growTo(needed);
    korbena::importCsvLines(m_list, startRow, lines, separator, column);
    cellsChanged(start, needed - 1);
}

CellArea DataGridModel::pasteBlock(int row, int column, const CellBlock& block)
{
    if (block.empty() || std::max(column, int(TitleColumn)) > NumberColumn)
        return {};
    refuseSeparatorInNumbers(block, std::max(row, 1), std::max(column, int(TitleColumn)));
    // The rows are shown before they are written, so the views never meet a row they were not told of.
    growTo(static_cast<long long>(std::max(row, 1)) + static_cast<long long>(block.size()));
    const CellArea area = pasteCells(m_list, row, column, block);
    if (!area.isEmpty())
        cellsChanged(area.firstRow, area.lastRow, area.firstColumn, area.lastColumn);
    return area;
}

int DataGridModel::halfWidthNumbers(int first, int last)
{
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
