#include "document/GridEditing.h"

#include "document/ValueText.h"
#include "platform/Error.h"

#include <algorithm>
#include <utility>

namespace korbena {

void InsertBlankRows(DataList& grid, long long index, long long count)
{
    if (count < 1 || index < 1)
        return;
    const long long newCount = grid.RowCount() + count;
    if (newCount > DataList::kMaxRowCount)
        throw Error(DataList::kTooLargeMessage);
    grid.SetRowCount(newCount);
    for (long long i = newCount - 1; i >= index + count; --i)
        grid.moveRow(static_cast<int>(i - count), static_cast<int>(i));
    const long long end = std::min<long long>(index + count, DataList::kMaxRowCount);
    for (long long i = index; i < end; ++i)
        grid.clearRow(static_cast<int>(i));
}

void InsertBlankRowsRepeated(DataList& grid, int top, int bottom, long long times)
{
    const long long span = static_cast<long long>(bottom) - top + 1;
    if (times < 1 || span < 1)
        return;
    // Neither factor exceeds 2^32 here, so the product cannot overflow.
    if (times > DataList::kMaxRowCount || times * span > DataList::kMaxRowCount)
        throw Error(DataList::kTooLargeMessage);
    InsertBlankRows(grid, top, times * span);
}

void DeleteRowRange(DataList& grid, long long a, long long b)
{
    if (b < a)
        std::swap(a, b);
    const long long last = grid.RowCount() - 1;
    if (a > last)
        return;
    b = std::min(b, last);
    a = std::max(a, 1LL);
    if (b < a)
        return; // the range lies above the first data row
    long long n = b - a + 1;
    const long long rowCount = grid.RowCount();
    if (rowCount == 2 || 1 >= rowCount - n) {
        grid.clearRow(1);
        n -= 1;
    } else {
        for (long long i = b + 1; i <= rowCount - 1; ++i)
            grid.copyRow(static_cast<int>(i), static_cast<int>(i - n));
    }
    grid.SetRowCount(rowCount - n);
}

void ClearAllCells(DataList& grid)
{
    for (int row = 1; row < grid.RowCount(); ++row)
        grid.clearRow(row);
}

void AppendRows(DataList& grid, long long n)
{
    grid.SetRowCount(static_cast<long long>(grid.RowCount()) + n);
}

int RowCountFromText(QStringView text)
{
    return readInteger32(text).value_or(0);
}

void FillTitles(DataList& grid, int top, const QString& title)
{
    for (int row = std::max(top, 1); row < grid.RowCount(); ++row)
        grid.setTitle(row, title);
}

void FillNumbers(DataList& grid, int top, const QString& number)
{
    for (int row = std::max(top, 1); row < grid.RowCount(); ++row) {
        if (grid.title(row).isEmpty())
            break;
        grid.setNumber(row, number);
    }
}

} // namespace korbena
