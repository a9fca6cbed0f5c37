#include "document/DataList.h"

#include "platform/Error.h"

#include <algorithm>
namespace korbena {

const QString DataList::kTooLargeMessage = QStringLiteral("グリッドが大きすぎます");
const QString DataList::kTitleHeader = QStringLiteral("文字列");
const QString DataList::kNumberHeader = QStringLiteral("バーコード番号");

namespace {

const QString kEmpty;

QString oneLine(QString text)
{
    if (text.contains(u'\r') || text.contains(u'\n')) {
        text.replace(u'\r', u' ');
        text.replace(u'\n', u' ');
    }
    return text;
}

} // namespace

void DataList::SetRowCount(long long count)
{
    if (count > kMaxRowCount)
        throw Error(kTooLargeMessage);
    rowCount_ = static_cast<int>(std::max<long long>(count, kMinRowCount));
}

const QString& DataList::title(int row) const
{
    if (row == 0)
        return kTitleHeader;
    if (row < 1 || static_cast<std::size_t>(row) > rows_.size())
        return kEmpty;
    return rows_[static_cast<std::size_t>(row) - 1].title;
}

const QString& DataList::number(int row) const
{
    if (row == 0)
        return kNumberHeader;
    if (row < 1 || static_cast<std::size_t>(row) > rows_.size())
        return kEmpty;
    return rows_[static_cast<std::size_t>(row) - 1].number;
}

DataList::Cells* DataList::cellsFor(int row)
{
    if (!isDataRow(row))
        return nullptr;
    if (static_cast<std::size_t>(row) > rows_.size())
        rows_.resize(static_cast<std::size_t>(row));
    return &rows_[static_cast<std::size_t>(row) - 1];
}

void DataList::setTitle(int row, QString text)
{
    if (text.isEmpty() && (row < 1 || static_cast<std::size_t>(row) > rows_.size()))
        return; // already empty; no storage for it
    if (Cells* cells = cellsFor(row))
        cells->title = oneLine(std::move(text));
}

void DataList::setNumber(int row, QString text)
{
    if (text.isEmpty() && (row < 1 || static_cast<std::size_t>(row) > rows_.size()))
        return;
    if (Cells* cells = cellsFor(row))
        cells->number = oneLine(std::move(text));
}

void DataList::clearRow(int row)
{
    if (row >= 1 && static_cast<std::size_t>(row) <= rows_.size())
        rows_[static_cast<std::size_t>(row) - 1] = Cells{};
}

void DataList::moveRow(int from, int to)
{
    if (from == to || !isDataRow(to))
        return;
    const bool fromStored = from >= 1 && static_cast<std::size_t>(from) <= rows_.size();
    if (!fromStored) {
        clearRow(to);
        return;
    }
    Cells moved = std::move(rows_[static_cast<std::size_t>(from) - 1]);
    rows_[static_cast<std::size_t>(from) - 1] = Cells{};
    if (Cells* target = cellsFor(to))
        *target = std::move(moved);
}

void DataList::copyRow(int from, int to)
{
    if (from == to || !isDataRow(to))
        return;
    if (from < 1 || static_cast<std::size_t>(from) > rows_.size()) {
        clearRow(to);
        return;
    }
    Cells copied = rows_[static_cast<std::size_t>(from) - 1];
    if (Cells* target = cellsFor(to))
        *target = std::move(copied);
}

} // namespace korbena
