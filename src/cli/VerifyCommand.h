#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli verify [--style FILE] [--data FILE] [--start-label K] [--json]: the
// check before printing. Renders the barcode of every row the print command would
// print and reads it back with an independent reader; prints the rows that failed,
// could not be checked or lack a title or a number, then the summary (or the same as
// JSON). Returns the exit code: 0 every barcode that will print reads back as its
// text; 1 some number cannot be encoded or its symbol does not read back, the files
// could not be read, or nothing can print; 2 bad arguments. Rows of a symbology no
// reader decodes and rows lacking a title or a number are listed but do not fail.
int runVerify(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kVerifyUsage;

} // namespace korbena::cli
