#pragma once

#include "document/CsvImport.h"
#include "document/DataList.h"
#include "document/Tsv.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace korbena {

// The detailed CSV import: a title column and a barcode-number column (or serial
// numbering), an optional quantity column, quoting, a heading line and a first line,
// beside the plain import of CsvImport.h, which stays as it is.

// How the file's bytes are taken. Auto reads code page 932 unless the bytes are
// plainly UTF-8 (a byte-order mark, or valid UTF-8 with non-ASCII bytes), as the
// plain import does.
enum class CsvEncoding { Auto, Cp932, Utf8 };

struct CsvFormat
{
    std::optional<CsvSeparator> separator; // nothing: detected from the text
    CsvEncoding encoding = CsvEncoding::Auto;
    bool quoting = true; // RFC 4180 quotes; off: quotes are text, as in the plain import
    // Spreadsheet files (.xlsx, .ods): the sheet by its name; empty: the first. The
    // three settings above do not apply to them.
    QString sheet;
};

// A file read into records of fields.
struct CsvTable
{
    CsvSeparator separator = CsvSeparator::Comma; // the one used, chosen or detected
    CsvEncoding encoding = CsvEncoding::Cp932;    // the one used: Cp932 or Utf8
    CellBlock records;
    std::vector<int> recordLines; // the 1-based line each record starts on
    QString fileName;             // for the detail of an error message

    // The number of fields of the widest record (0 for no records).
    int widestRecord() const;
};

// Cp932 or Utf8 for the bytes of a file, by the rule of CsvEncoding::Auto.
CsvEncoding detectCsvEncoding(QByteArrayView bytes);

// The text of the bytes in an encoding (Auto detects); a UTF-8 byte-order mark is dropped.
QString decodeCsvText(QByteArrayView bytes, CsvEncoding encoding);

// The separator a text most likely uses, judged on its first 50 lines: the one of
// tab, comma and semicolon (in that order of preference) that splits the most lines
// into the same number of fields, two or more, without breaking a quoted field; space
// only when none of those splits anything, since titles hold spaces; comma when
// nothing splits at all.
CsvSeparator detectSeparator(QStringView text, bool quoting);

// The records of a file's bytes; at most maxRecords of them when it is not negative
// (for a preview).
CsvTable parseCsvTable(QByteArrayView bytes, const CsvFormat& format, qsizetype maxRecords = -1);

// The same for a file. Throws FileError when it cannot be read. A spreadsheet file
// gives the cells of its sheet as the spreadsheet stores them, one record per row
// (line numbers are the sheet's row numbers), when a spreadsheet reader is set;
// otherwise, or when the file is no spreadsheet the reader knows, it throws Error.
CsvTable readCsvTable(const QString& path, const CsvFormat& format, qsizetype maxRecords = -1);

// Whether a file is read as a spreadsheet: its name ends in .xlsx or .ods.
bool isSpreadsheetFile(const QString& path);

// Reads the records of a spreadsheet's sheet (the first when `sheet` is empty), at
// most maxRecords of them when it is not negative. The zip and XML reading lives
// outside the core; the command-line tool and the window set it at start-up.
using SpreadsheetReader = CsvTable (*)(const QString& path, const QString& sheet, qsizetype maxRecords);
void setSpreadsheetReader(SpreadsheetReader reader);

// Which fields become what. Columns are 1-based.
struct CsvColumns
{
    int firstLine = 1;      // the first record taken (1-based); records above it are skipped
    bool header = false;    // "1行目は見出し": the first record taken is headings, not a row
    int titleColumn = 1;    // the title
    int numberColumn = 2;   // the barcode number; 0: "シリアル番号で付ける"
    int quantityColumn = 0; // how many rows a record gives; 0: one each
};

// The rows an import gives, as a block for pasteCells: title, then barcode number.
struct CsvRows
{
    CellBlock rows;
    QStringList headings;         // the heading record, when there is one
    bool serialNumbering = false; // numbers are left empty for the serial-number dialog
    int skippedBlankRecords = 0;  // records with every field empty give no row
};

// Turns records into rows. Records with every field empty are skipped (spreadsheets
// write such lines for formatted but empty rows). A quantity is an integer, full-width
// digits allowed: 0 skips the record, an empty field counts as 1. At most maxRows rows
// when it is not negative (for a preview).
// Throws Error when a column is out of range (a title column below 1, or any column
// beyond the widest record), ConversionError naming the line for a quantity that is
// no integer or is negative, Error naming the lines when the number column holds
// numbers in exponent form ("4.90123E+12": a spreadsheet saved the number with its
// digits cut, so no barcode can be made from it), and Error("グリッドが大きすぎます")
// when the rows would exceed the grid.
CsvRows csvRows(const CsvTable& table, const CsvColumns& columns, qsizetype maxRows = -1);

// Writes the rows into the grid from `startRow` down, both columns of every row
// (numbers empty under serial numbering), growing RowCount as needed. Throws
// Error("グリッドが大きすぎます") with the grid unchanged when they would not fit.
CellArea placeCsvRows(DataList& list, int startRow, const CsvRows& rows);

} // namespace korbena
