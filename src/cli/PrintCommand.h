#pragma once

#include "sheet/PageComposer.h"
#include "sheet/SheetDocuments.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <vector>

namespace korbena::cli {

// korbena-cli print [--style FILE] [--data FILE] [--out FILE.pdf | --printer NAME]
// [--copies N]: prints every page of the data list with the style, to a PDF file or
// to a printer. Without --style and --data the defaults in the working folder's conf
// are used; the working folder is made ready (and filled on first use) either way,
// as the label images are written there. Returns the exit code: 0 printed, every
// row with a number got its barcode; 1 the files could not be read or the job was
// refused or failed; 2 bad arguments; 3 printed, but some rows' numbers could not
// be encoded or the data file put a row past the list (each named on err).
int runPrint(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kPrintUsage;

// The exit status of a sheet written with labels that lack their barcode.
inline constexpr int kExitLabelsWithoutBarcode = 3;

// Names every row the data file put past the list's last row, which is not printed;
// true when there is none.
bool reportUnshownRows(std::FILE* err, const char* command, const SheetDocuments& docs);

// Names on err every row whose barcode could not be made (at most 20, then a
// count) and an image file that could not be written. Returns whether every row
// with a number got its barcode.
bool reportLabelProblems(std::FILE* err, const char* command, const std::vector<FailedRow>& failedRows,
                         const QString& imageError);

// Loads the sheet documents (the defaults of the working folder for empty paths);
// on failure writes the message to err and returns nothing.
std::optional<SheetDocuments> loadDocuments(const QString& styleFile, const QString& dataFile,
                                            std::FILE* err);

} // namespace korbena::cli
