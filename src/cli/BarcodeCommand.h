#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli barcode: draws one symbol as the main window's component would.
// Returns the process exit code: 0 drawn, 1 not encodable, 2 bad arguments.
int runBarcode(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kBarcodeUsage;

} // namespace korbena::cli
