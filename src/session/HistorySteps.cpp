// The steps of the undo and redo history: changed cells, inserted rows, deleted rows
// and style edits, each holding what it changed.
#include "session/HistorySteps.h"

#include "session/EditHistory.h"

#include <algorithm>
#include <utility>

namespace korbena {

namespace {

// The first and last of `n` rows at which the two columns differ, or nothing.
std::optional<std::pair<int, int>> changedRows(const std::vector<QString>& before,
                                               const std::vector<QString>& after, int n)
{
    if (before.empty())
        return std::nullopt;
    int lo = 0;
    while (lo < n && before[static_cast<std::size_t>(lo)] == after[static_cast<std::size_t>(lo)])
        ++lo;
    if (lo == n)
        return std::nullopt;
    int hi = n - 1;
    while (before[static_cast<std::size_t>(hi)] == after[static_cast<std::size_t>(hi)])
        --hi;
    return std::pair{lo, hi};
}

// Rows lo to hi of the cells, with only the columns given.
RowCells slice(RowCells& cells, int lo, int hi, bool titles, bool numbers)
{
    RowCells part;
    part.first = cells.first + lo;
    part.count = hi - lo + 1;
    const auto take = [&](std::vector<QString>& column, std::vector<QString>& into) {
        into.assign(std::make_move_iterator(column.begin() + lo),
                    std::make_move_iterator(column.begin() + hi + 1));
    };
    if (titles)
        take(cells.titles, part.titles);
    if (numbers)
        take(cells.numbers, part.numbers);
    return part;
}

} // namespace

void HistoryStep::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    apply();
}

// ---- cells ----

CellsStep::CellsStep(DataGridModel& grid, const QString& name, QUndoCommand* parent, RowCells before,
                     RowCells after, int rowCountBefore, int rowCountAfter)
    : HistoryStep(name, parent), m_grid(grid), m_before(std::move(before)), m_after(std::move(after)),
      m_rowCountBefore(rowCountBefore), m_rowCountAfter(rowCountAfter)
{
}

std::size_t CellsStep::bytes() const
{
    return sizeof(*this) + m_before.bytes() + m_after.bytes();
}

int CellsStep::id() const
{
    const bool oneCell = m_before.count == 1 && m_before.titles.empty() != m_before.numbers.empty();
    return oneCell && !m_sealed && m_rowCountBefore == m_rowCountAfter ? 2 : -1;
}

bool CellsStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const CellsStep*>(other);
    if (!next || next->id() != id() || next->m_before.first != m_before.first ||
        next->m_before.titles.empty() != m_before.titles.empty())
        return false;
    m_after = next->m_after;
    return true;
}

void CellsStep::apply()
{
    m_grid.putCells(m_after, m_rowCountAfter);
}

void CellsStep::revert()
{
    m_grid.putCells(m_before, m_rowCountBefore);
}

CellsRecord::CellsRecord(DataGridModel& grid, EditHistory* history, const QString& name, long long first,
                         long long last, CellColumns columns)
    : m_grid(grid), m_history(history && history->recording() ? history : nullptr), m_columns(columns)
{
    if (!m_history)
        return;
    m_name = name;
    m_before = grid.cells(first, last, columns);
    m_rowCountBefore = grid.dataList().RowCount();
}

CellsRecord::~CellsRecord()
{
    if (m_history)
        record();
}

void CellsRecord::record()
{
    const int rowCountAfter = m_grid.dataList().RowCount();
    const long long first = m_before.first;
    RowCells after = m_grid.cells(first, first + m_before.count - 1, m_columns);
    const auto titles = changedRows(m_before.titles, after.titles, m_before.count);
    const auto numbers = changedRows(m_before.numbers, after.numbers, m_before.count);
    if (!titles && !numbers && rowCountAfter == m_rowCountBefore)
        return;
    RowCells before, changed;
    before.first = changed.first = m_before.first;
    if (titles || numbers) {
        const int lo =
            std::min(titles ? titles->first : m_before.count, numbers ? numbers->first : m_before.count);
        const int hi = std::max(titles ? titles->second : -1, numbers ? numbers->second : -1);
        before = slice(m_before, lo, hi, titles.has_value(), numbers.has_value());
        changed = slice(after, lo, hi, titles.has_value(), numbers.has_value());
    }
    m_history->add(new CellsStep(m_grid, m_name, m_history->openGroup(), std::move(before),
                                 std::move(changed), m_rowCountBefore, rowCountAfter));
}

// ---- rows ----

InsertRowsStep::InsertRowsStep(DataGridModel& grid, const QString& name, QUndoCommand* parent,
                               long long index, long long count, int rowCountBefore, RowCells covered)
    : HistoryStep(name, parent), m_grid(grid), m_index(index), m_count(count),
      m_rowCountBefore(rowCountBefore), m_covered(std::move(covered))
{
    // Hidden rows past the end are mostly blank; blank ones need no text kept.
    const auto blank = [](const std::vector<QString>& column) {
        return std::all_of(column.begin(), column.end(), [](const QString& text) { return text.isEmpty(); });
    };
    if (blank(m_covered.titles))
        m_covered.titles = std::vector<QString>();
    if (blank(m_covered.numbers))
        m_covered.numbers = std::vector<QString>();
}

std::size_t InsertRowsStep::bytes() const
{
    return sizeof(*this) + m_covered.bytes();
}

void InsertRowsStep::apply()
{
    m_grid.insertBlankRows(m_index, m_count);
}

void InsertRowsStep::revert()
{
    m_grid.takeInsertedRowsBack(m_index, m_count, m_rowCountBefore, m_covered);
}

DeleteRowsStep::DeleteRowsStep(DataGridModel& grid, const QString& name, QUndoCommand* parent,
                               long long first, long long last, int rowCountBefore, RowCells removed)
    : HistoryStep(name, parent), m_grid(grid), m_first(first), m_last(last), m_rowCountBefore(rowCountBefore),
      m_removed(std::move(removed))
{
}

std::size_t DeleteRowsStep::bytes() const
{
    return sizeof(*this) + m_removed.bytes();
}

void DeleteRowsStep::apply()
{
    m_grid.deleteRowRange(m_first, m_last);
}

void DeleteRowsStep::revert()
{
    m_grid.putDeletedRowsBack(m_first, m_last, m_rowCountBefore, m_removed);
}

// ---- style ----

StyleStep::StyleStep(EditHistory& history, const QString& name, QUndoCommand* parent,
                     const LabelStyle& before, const LabelStyle& after, std::optional<StyleField> mergeField)
    : HistoryStep(name, parent), m_history(history), m_before(before), m_after(after),
      m_mergeField(mergeField)
{
}

std::size_t StyleStep::bytes() const
{
    return sizeof(*this);
}

bool StyleStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const StyleStep*>(other);
    if (!next || !m_mergeField || next->m_mergeField != m_mergeField)
        return false;
    m_after = next->m_after;
    return true;
}

void StyleStep::apply()
{
    m_history.restoreStyle(m_before, m_after);
}

void StyleStep::revert()
{
    m_history.restoreStyle(m_after, m_before);
}

} // namespace korbena
