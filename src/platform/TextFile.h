#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

namespace korbena {

// How a text file's bytes are taken: always code page 932, or UTF-8 when the
// bytes say so (a byte-order mark, or valid UTF-8 with non-ASCII bytes).
enum class TextEncoding { Cp932, Cp932OrUtf8 };

// The longest line a style file, data list, settings file or CSV file may hold, and
// the longest field of a CSV file, in characters: far beyond any title, number or
// font name, small enough that nothing downstream has to guard against more.
inline constexpr qsizetype kMaxLineLength = qsizetype(16) << 20;

// The lines of a text file. Throws FileError when it cannot be read (readWholeFile),
// and Error("行が長すぎます（1 行 16777216 文字まで）", "PATH（N 行目）") for a line
// beyond kMaxLineLength.
QStringList readTextLines(const QString& path, TextEncoding encoding = TextEncoding::Cp932);

// Throws the error of readTextLines for the first line of `lines` beyond kMaxLineLength.
void refuseLongLines(const QStringList& lines, const QString& path);

// The error for text beyond kMaxLineLength in line `line` of a file.
Error tooLongError(const QString& path, qsizetype line);

// Writes the lines in code page 932 with CR LF after each, atomically. Throws
// FileError when the file cannot be written; the previous file then stays.
void writeTextLines(const QString& path, const QStringList& lines);

} // namespace korbena
