#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korbena {

// One data row of the grid: one label of the sheet.
struct DataRow
{
    int row = 0;    // the 1-based grid row
    QString title;  // column 1, printed as text
    QString number; // column 2, the barcode number

    bool operator==(const DataRow&) const = default;
};

// The rows of the data grid. Row 0 is the fixed header; data rows are 1 to
// RowCount() - 1. Every row keeps its text whatever RowCount is: lowering it
// hides rows without clearing them, raising it shows their old text again, and
// hidden rows can be written and read. A cell never written reads as empty.
class DataList
{
public:
    static constexpr int kInitialRowCount = 90;
    // Our bounds of the grid: at least the header and one data row, and at most a
    // million rows, far beyond any sheet run yet small enough to hold in memory.
    static constexpr int kMinRowCount = 2;
    static constexpr int kMaxRowCount = 1'000'000;
    // The message when a size beyond kMaxRowCount is asked for.
    static const QString kTooLargeMessage;

    // Captions of the header row.
    static const QString kTitleHeader;
    static const QString kNumberHeader;

    DataList() = default;
    DataList(const DataList&) = default;
    DataList& operator=(const DataList&) = default;
    // A list moved from is left with no text and a stamp of its own.
    DataList(DataList&& other) noexcept;
    DataList& operator=(DataList&& other) noexcept;

    int RowCount() const { return rowCount_; }
    // Throws Error("グリッドが大きすぎます") above kMaxRowCount and leaves the
    // grid unchanged; a size below kMinRowCount becomes kMinRowCount.
    void SetRowCount(long long count);

    // Whether a row can hold text: 1 to kMaxRowCount - 1, shown or hidden. Reads of
    // other rows give empty text and writes to them are ignored; the header row's
    // captions are fixed.
    static bool isDataRow(long long row) { return row >= 1 && row < kMaxRowCount; }

    const QString& title(int row) const;
    const QString& number(int row) const;
    // Line breaks in a cell would split its line of the data file in two, so they
    // become blanks.
    void setTitle(int row, QString text);
    void setNumber(int row, QString text);
    DataRow dataRow(int row) const { return {row, title(row), number(row)}; }
    void clearRow(int row);

    // Row `to` takes the text of row `from`; moving leaves `from` empty, copying
    // leaves it as it was.
    void moveRow(int from, int to);
    void copyRow(int from, int to);

    // Every change of the rows or of RowCount stamps the list with a number that no
    // other state of any list has had; a copy carries the stamp along with the rows.
    // Equal stamps therefore mean equal contents, which lets a preview redraw with no
    // edit since the last snapshot skip rebuilding it. Lists never changed share
    // stamp 0, as they share their contents.
    std::uint64_t revision() const { return m_revision; }

    // How many rows hold storage, shown or hidden (for memory accounting).
    std::size_t storedRows() const { return rows_.size(); }

private:
    struct Cells
    {
        QString title;
        QString number;
    };

    Cells* cellsFor(int row);
    void touch();

    int rowCount_ = kInitialRowCount;
    std::vector<Cells> rows_; // rows_[r - 1] holds row r; grows as rows are written
    std::uint64_t m_revision = 0;
};

} // namespace korbena
