#include "document/DataList.h"

#include "platform/Error.h"

#include <algorithm>
#include <atomic>

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

// Stamps are shared by all lists, so that one list's stamp never names another
// list's different contents.
std::atomic<std::uint64_t> lastRevision{0};

} // namespace

DataList::DataList(DataList&& other) noexcept
    : rowCount_(other.rowCount_), rows_(std::move(other.rows_)), m_revision(other.m_revision)
{
    other.rows_.clear();
    other.touch();
}

DataList& DataList::operator=(DataList&& other) noexcept
{
    if (this != &other) {
        rowCount_ = other.rowCount_;
        rows_ = std::move(other.rows_);
        m_revision = other.m_revision;
        other.rows_.clear();
        other.touch();
    }
    return *this;
}

void DataList::touch()
{
    m_revision = lastRevision.fetch_add(1, std::memory_order_relaxed) + 1;
}

void DataList::SetRowCount(long long count)
{
    if (count > kMaxRowCount)
        throw Error(kTooLargeMessage);
    const int newCount = static_cast<int>(std::max<long long>(count, kMinRowCount));
    if (newCount != rowCount_) {
        rowCount_ = newCount;
        touch();
    }
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
    if (Cells* cells = cellsFor(row)) {
        text = oneLine(std::move(text));
        if (cells->title != text) {
            cells->title = std::move(text);
            touch();
        }
    }
}

void DataList::setNumber(int row, QString text)
{
    if (text.isEmpty() && (row < 1 || static_cast<std::size_t>(row) > rows_.size()))
        return;
    if (Cells* cells = cellsFor(row)) {
        text = oneLine(std::move(text));
        if (cells->number != text) {
            cells->number = std::move(text);
            touch();
        }
    }
}

void DataList::clearRow(int row)
{
    if (row >= 1 && static_cast<std::size_t>(row) <= rows_.size()) {
        rows_[static_cast<std::size_t>(row) - 1] = Cells{};
        touch();
    }
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
    touch();
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
    touch();
}

} // namespace korbena
