#pragma once

#include "document/DataList.h"
#include "document/Tsv.h"

#include <QAbstractTableModel>
#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

namespace korbena {

class ChangeTracking;
class EditHistory;
struct SerialSettings;

// The columns a change may touch.
enum class CellColumns { Titles = 1, Numbers = 2, Both = 3 };

// The text of `count` rows from grid row `first`, as a history step keeps it. A column
// left empty is one the step does not hold: unchanged, or (for removed and covered
// rows) blank throughout.
struct RowCells
{
    int first = 1;
    int count = 0;
    std::vector<QString> titles;
    std::vector<QString> numbers;

    std::size_t bytes() const;
};

// The data grid "データ入力" as a table model over the data list: one model row per
// shown data row (model row 0 is grid row 1), the title and the barcode number as
// its two columns, the grid row number as the vertical header. The model reads the
// list's own strings, so 100,000 rows cost nothing beyond the list.
//
// Every change of the list while views are attached must go through the model:
// its cell edits and its row commands wrap the data list's operations with the
// notifications that keep the views in step, and record each change as one step of
// the history when one is set. Rows are given in the grid's numbering (1 is the first
// data row), as the row commands have them.
class DataGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TitleColumn = 0, NumberColumn = 1 };

    // The list must outlive the model.
    explicit DataGridModel(DataList& list, QObject* parent = nullptr);

    const DataList& dataList() const { return m_list; }
    // The history the row commands and cell edits record into; none by default.
    void setHistory(EditHistory* history) { m_history = history; }

    static int gridRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int gridRow) { return gridRow - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes the cell's text into the list (line breaks become blanks there). A
    // number holding ';' is refused with editRefused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The row commands. Those that can fail throw as the list operations do, and
    // before any notification, so the views never see a change that did not happen.
    void insertBlankRows(long long index, long long count);
    void insertBlankRowsRepeated(int top, int bottom, long long times);
    void deleteRowRange(long long a, long long b);
    void clearAllCells();
    void appendRows(long long n);
    void fillTitles(int top, const QString& title);
    void fillNumbers(int top, const QString& number);
    void serializeRows(int top, const SerialSettings& settings);
    void importCsvLines(int startRow, const QStringList& lines, QChar separator, int column);
    // A block of cells with its top-left cell at grid row `row`, data column `column`,
    // rows added as needed (pasteCells); returns where it wrote.
    CellArea pasteBlock(int row, int column, const CellBlock& block);
    // The full-width clean-up of the numbers of grid rows first to last; how many changed.
    int halfWidthNumbers(int first, int last);
    // Fills the grid from a data file's lines (the load); returns the rows the lines
    // filled past the list's last row.
    std::vector<DataRow> applyDataLines(const QStringList& lines, const QString& fileName);
    // Writes the previous snapshot back (the one-step undo of the snapshots).
    void restoreDataSnapshot(ChangeTracking& tracking);

    // ---- what the history's steps read and write back; none of it records ----
    // The text of rows first to last (shown or hidden) in the columns given.
    RowCells cells(long long first, long long last, CellColumns columns) const;
    // The row count set to `rowCount`, then the cells written; a column the cells do not
    // hold stays as it is.
    void putCells(const RowCells& cells, int rowCount);
    // The blank rows that insertBlankRows(index, count) added taken out again, the rows
    // below moved back up and the hidden rows they covered given their text back.
    void takeInsertedRowsBack(long long index, long long count, int rowCountBefore, const RowCells& covered);
    // The rows that deleteRowRange(first, last) removed put back where they were.
    void putDeletedRowsBack(long long first, long long last, int rowCountBefore, const RowCells& removed);

signals:
    // A typed cell was not taken; the message names the row and why.
    void editRefused(const QString& message);

private:
    // Shows rows up to `count` (the grid never shrinks on loading or restoring).
    void growTo(long long count);
    // Tells the views that the cells of grid rows `first` to `last` (cut to the
    // shown rows) may have changed.
    void cellsChanged(long long first, long long last, int firstColumn = TitleColumn,
                      int lastColumn = NumberColumn);
    void allCellsChanged() { cellsChanged(1, m_list.RowCount() - 1); }
    // The row count changed with the views told; the rows past the old count are shown
    // with their old text, those past the new one are hidden.
    void setShownRowCount(int count);
    // Writes the cells; an empty column is left alone, or emptied when `blankWhenEmpty`.
    void writeCells(const RowCells& cells, bool blankWhenEmpty);
    bool recording() const;
    // deleteRowRange's work on a range already cut to the data rows.
    void deleteRows(long long a, long long b);

    DataList& m_list;
    EditHistory* m_history = nullptr;
};

} // namespace korbena
