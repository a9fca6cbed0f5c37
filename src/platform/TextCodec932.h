#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace korbena {

// Code page 932 (Shift_JIS with the Windows extensions), the encoding of every
// file the program reads and writes, without a byte-order mark.
namespace cp932 {

// A character the code page cannot hold becomes "?"; a surrogate pair is one
// character and gives one "?".
QByteArray encode(QStringView text);

// A byte that starts no valid character (a truncated double-byte character
// included) becomes U+FFFD and reading goes on with the next byte.
QString decode(QByteArrayView bytes);

} // namespace cp932

// Whether bytes are UTF-8 text rather than code page 932: they begin with the
// UTF-8 byte-order mark, or they are valid UTF-8 with at least one non-ASCII byte.
bool looksLikeUtf8(QByteArrayView bytes);

// Lines of a text: breaks are CR LF, LF or a lone CR; a break at the very end
// does not start another line, so "" has no lines and "\r\n" has one empty line.
QStringList splitLines(QStringView text);

// Every line followed by CR LF.
QString joinLinesCrLf(const QStringList& lines);

} // namespace korbena
