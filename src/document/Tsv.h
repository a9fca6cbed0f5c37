#pragma once

#include "document/DataList.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace korbena {

// A rectangle of cells as spreadsheets exchange it through the clipboard: one
// QStringList per row, the rows possibly of different lengths.
using CellBlock = std::vector<QStringList>;

// Records of delimited text: fields end at `separator`, records at CR LF, LF or a
// lone CR, and a break at the very end starts no further record. With `quoting`, a
// field that begins with a quote is quoted when a closing quote follows before its
// separator or line break ("" inside it is one quote, and separators and line
// breaks inside are the field's own); otherwise its quote is text, so a stray quote
// never swallows the rest of the text. Stops after maxRecords records (all when
// negative); `recordLines`, when given, receives the 1-based line each record
// starts on.
CellBlock parseDelimited(QStringView text, QChar separator, bool quoting, qsizetype maxRecords = -1,
                         std::vector<int>* recordLines = nullptr);

// Reads a clipboard text of tab-separated cells the way Excel and LibreOffice Calc
// write it: parseDelimited with tabs and quoting.
CellBlock parseTsv(QStringView text);

// The same text for a block: cells that hold a tab, a quote or a line break are put
// in quotes with their quotes doubled; every row ends with a line feed, as the
// spreadsheets end a copied block.
QString writeTsv(const CellBlock& block);

// The grid's data columns, as a block's columns map onto them.
inline constexpr int kTitleColumn = 0;
inline constexpr int kNumberColumn = 1;

// Where a paste wrote: rows and data columns, inclusive. Empty when nothing was
// written (an empty block, or a start column past the number column).
struct CellArea
{
    int firstRow = 0;
    int lastRow = -1;
    int firstColumn = 0;
    int lastColumn = -1;

    bool isEmpty() const { return lastRow < firstRow || lastColumn < firstColumn; }
    bool operator==(const CellArea&) const = default;
};

// Pastes a block with its top-left cell at (row, column): the block's rows go down
// from `row` (a row below 1 counts as 1), its cells across from `column`, and cells
// beyond the number column are dropped. A row shorter than the block's widest leaves
// the cells it lacks as they were. RowCount grows so that every pasted row is shown.
// Throws Error("グリッドが大きすぎます") with the list unchanged when the rows
// would not fit. Line breaks inside cells become blanks (the data file has one row
// per line).
// A number holding ';' is refused (Error naming its row) before anything is written.
CellArea pasteCells(DataList& list, int row, int column, const CellBlock& block);

// Throws the refusal of refuseSeparatorInNumber for the first number of the block,
// pasted at (firstRow, firstColumn), that holds ';'.
void refuseSeparatorInNumbers(const CellBlock& block, long long firstRow, int firstColumn);

// The cells of rows firstRow to lastRow and data columns firstColumn to lastColumn,
// for writeTsv. Bounds are clamped to the data rows and the two data columns.
CellBlock copyCells(const DataList& list, int firstRow, int lastRow, int firstColumn, int lastColumn);

} // namespace korbena
