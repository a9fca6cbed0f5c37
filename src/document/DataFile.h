#pragma once

#include "document/DataList.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace korbena {

// The ';'-list reader shared by the data file and the undo snapshots: returns the
// text before the first ';' (all of `text` when there is none) and leaves in
// FieldRest what follows that ';' (all of `text` again when there is none, so
// further calls return the same last field). `text` may be FieldRest itself.
QStringView PopField(QStringView text, QStringView& FieldRest);

// One line of the data file: "[DATA_LIST]=" + row + ";" + title + ";" + number + ";".
// The format has no escape for ';': one in a title is written as the full-width
// "；", and so is one in a number that came in past the checks, so a save never
// splits a field.
QString dataFileLine(int row, const QString& title, const QString& number);

// A barcode number holding ';' cannot be saved as it is, so it is refused where it
// enters the grid (typing, pasting, importing): Error("行 7: バーコード番号に「;」は
// 使えません（データファイルの区切り文字です）") for row (or file line) `row`.
void refuseSeparatorInNumber(const QString& number, long long row, const QString& fileName = {});

// The data file's lines for the grid: rows 1 to RowCount(), the last one being the
// hidden row just past the last data row. Undo snapshots have the same form.
QStringList dataFileLines(const DataList& grid);

// Writes the data file atomically (code page 932, CR LF). Throws FileError.
void writeDataFile(const QString& path, const DataList& grid);

// The lines of a data file, handed on to the change tracking before they fill the
// grid. Throws FileError when the file cannot be read, and
// Error("データファイルではありません: " + path) when the file has lines but none is a
// "[DATA_LIST]=" line. An empty file is an empty list.
QStringList readDataFile(const QString& path);

// Fills the grid from data-file lines: RowCount grows to the number of lines (it
// never shrinks, and rows no line names keep their text); then every line, in
// order, drops its text up to the first "=" and gives the row number, the title
// and the barcode number as three ';'-fields. A row number that is no integer
// throws ConversionError with the rows before it applied; a row number below 1 or
// beyond the grid's largest row leaves the grid alone (the header's captions are
// not data). Throws Error("グリッドが大きすぎます") before any row is written when
// there are more lines than the grid can hold. Returns the rows the lines filled
// with text that lie past the list's last data row (see unshownRows).
std::vector<DataRow> applyDataLines(const QStringList& lines, DataList& grid, const QString& fileName);

// A file's last line is read as the hidden row just past the list, as the program
// writes it (it may hold text left from deleted rows), so a list made elsewhere
// that does not end in that empty row loses its last row from the labels, and a
// line naming a row beyond the list is never shown. Of the rows `loaded` from a
// file, those still past the list with the text the file gave them: they are not
// printed.
std::vector<DataRow> unshownRows(const std::vector<DataRow>& loaded, const DataList& grid);

// "行 100 は印刷されません: ..." for one such row.
QString unshownRowMessage(const DataRow& row, const DataList& grid);

} // namespace korbena
