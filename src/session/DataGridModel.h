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
struct SerialSettings;

// The data grid "データ入力" as a table model over the data list: one model row per
// shown data row (model row 0 is grid row 1), the title and the barcode number as
// its two columns, the grid row number as the vertical header. The model reads the
// list's own strings, so 100,000 rows cost nothing beyond the list.
//
// Every change of the list while views are attached must go through the model:
// its cell edits and its row commands wrap the data list's operations with the
// notifications that keep the views in step. Rows are given in the grid's
// numbering (1 is the first data row), as the row commands have them.
class DataGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TitleColumn = 0, NumberColumn = 1 };

    // The list must outlive the model.
    explicit DataGridModel(DataList& list, QObject* parent = nullptr);

    const DataList& dataList() const { return m_list; }

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
    // Writes the previous snapshot back (the undo command).
    void restoreDataSnapshot(ChangeTracking& tracking);

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

    DataList& m_list;
};

} // namespace korbena
