#pragma once

#include "document/DetailedCsvImport.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace korbena {

// Spreadsheet files for the detailed import: Office Open XML workbooks (.xlsx) and
// OpenDocument spreadsheets (.ods). Cells come as the file stores them, not as they
// are displayed: a 13-digit number stays exact whatever its number format, a date is
// its stored value, a formula gives its last computed value.

// The names of the sheets, in order. Throws FileError when the file cannot be read
// and Error when it is no spreadsheet of either kind.
QStringList spreadsheetSheetNames(const QString& path);

// One sheet (the first when `sheet` is empty) as records, one per row from row 1 to
// the last row with a cell, each as wide as its last cell; recordLines are the
// sheet's row numbers. At most maxRecords records when it is not negative. Throws
// as spreadsheetSheetNames, and Error when there is no sheet of that name.
CsvTable readSpreadsheet(const QString& path, const QString& sheet = {}, qsizetype maxRecords = -1);

// Lets readCsvTable, and so the detailed import, open spreadsheet files.
void enableSpreadsheetImport();

// A number as a spreadsheet stores it, in plain decimal notation without an exponent:
// "4.901234567894E12" gives "4901234567894", "1.5E-3" gives "0.0015". Text that is no
// number in exponent form comes back as it is.
QString plainDecimal(QStringView stored);

} // namespace korbena
