#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli preview [--style FILE] [--data FILE] [--page N] [--zoom PERCENT]
// --out FILE.png: writes the preview of a page as the window shows it (the sheet, the
// printable area and the labels) at the screen resolution times the zoom, laid out
// on the paper of the style as a PDF would print it. Defaults: the working folder's
// default style and data list, page 1, 120 per cent. Returns 0 written, 1 the files
// could not be read or the picture not written, 2 bad arguments, 3 written but some
// rows of the page could not be encoded (each named on err).
int runPreview(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kPreviewUsage;

} // namespace korbena::cli
