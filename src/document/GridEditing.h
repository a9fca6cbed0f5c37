#pragma once

#include "document/DataList.h"

#include <QString>
#include <QStringView>

namespace korbena {

// The row commands of the data grid. They change the rows only; confirmations,
// input boxes and the redraw that makes an edit undoable are the caller's.

// Inserts `count` blank rows at `index` and moves the rows from there down by
// `count`; RowCount grows by `count`. Hidden rows beyond the old RowCount stay where
// they are, except those the moved rows now cover. Does nothing for a count below
// 1 or an index below the first data row; throws Error("グリッドが大きすぎます")
// with the grid unchanged when the rows would not fit.
void InsertBlankRows(DataList& grid, long long index, long long count);

// Inserts `times` x (bottom - top + 1) blank rows above row `top`, as the row
// prompt does n times with an unchanged selection. All or nothing.
void InsertBlankRowsRepeated(DataList& grid, int top, int bottom, long long times);

// Deletes rows a to b (either order), cut to the data rows; the rows below move
// up and RowCount falls by the number deleted, leaving their old text hidden past
// the end. At least one data row remains: deleting every data row empties the
// first one instead.
void DeleteRowRange(DataList& grid, long long a, long long b);

// Empties the title and barcode number of every shown data row; RowCount and hidden
// rows stay.
void ClearAllCells(DataList& grid);

// RowCount grows by n, or shrinks for a negative n down to one data row. Throws
// Error("グリッドが大きすぎます") with the grid unchanged beyond the upper bound.
void AppendRows(DataList& grid, long long n);

// The row count typed into the row prompts: a decimal integer, 0 when the text is
// not one (the caller then says "入力値が数字ではありません。").
int RowCountFromText(QStringView text);

// Every row from `top` to the last data row gets the title, titled or not.
void FillTitles(DataList& grid, int top, const QString& title);

// From `top` down to the last data row, stopping at the first untitled row, every
// row gets the barcode number.
void FillNumbers(DataList& grid, int top, const QString& number);

} // namespace korbena
