#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli template [--search TEXT] [--json] [--templates FOLDER]...: lists the
// sheet catalogue (the generic layouts and the label templates installed on the
// system, or those of the given folders).
// korbena-cli template --apply NAME [--style FILE] --out FILE.kbz [--templates FOLDER]...:
// writes the style laid out for the stock NAME ("maker part", as listed), the style's
// barcode, title and number keeping their places within the label. Positions are
// taken against a printable area that starts at the paper's corner, as on a PDF page.
// Returns the exit code: 0 listed or written; 1 the style could not be read or
// written, or no stock has that name; 2 bad arguments.
int runTemplate(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kTemplateUsage;

} // namespace korbena::cli
