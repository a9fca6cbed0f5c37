#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli import FILE.csv --title-col N --number-col M [--qty-col Q] [--header]
// [--first-line K] [--sep ,|tab|space|;] [--encoding auto|cp932|utf8] [--no-quotes]
// --out FILE.lst: writes a data file of the rows the detailed CSV import gives, from
// row 1. Returns the exit code: 0 written; 1 the CSV file could not be read, the data
// file could not be written, or a column or quantity does not fit the file; 2 bad
// arguments.
int runImport(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kImportUsage;

} // namespace korbena::cli
