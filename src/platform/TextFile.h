#pragma once

#include <QString>
#include <QStringList>

namespace korbena {

// How a text file's bytes are taken: always code page 932, or UTF-8 when the
// bytes say so (a byte-order mark, or valid UTF-8 with non-ASCII bytes).
enum class TextEncoding { Cp932, Cp932OrUtf8 };

// The lines of a text file. Throws FileError when it cannot be read.
QStringList readTextLines(const QString& path, TextEncoding encoding = TextEncoding::Cp932);

// Writes the lines in code page 932 with CR LF after each, atomically. Throws
// FileError when the file cannot be written; the previous file then stays.
void writeTextLines(const QString& path, const QStringList& lines);

} // namespace korbena
