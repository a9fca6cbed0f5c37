#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli preview [--style FILE] [--data FILE] [--page N] [--zoom PERCENT]
// --out FILE.png: writes the preview of a page as the window shows it (the sheet, the
// printable area and the labels) at the screen resolution times the zoom, laid out
// on the paper of the style as a PDF would print it. Defaults: the working folder's
// default style and data list, page 1, 120 per cent. Returns 0 written (a cell whose
// barcode could not be made is reported on err), 1 the files could not be read or
// the picture not written, 2 bad arguments.
int runPreview(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kPreviewUsage;

} // namespace korbena::cli
