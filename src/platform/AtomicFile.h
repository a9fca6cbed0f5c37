#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace korbena {

// Writes bytes to a temporary file in the target's folder and renames it over the
// target, so a failed write (no permission, disk full) leaves the previous file
// whole. Throws FileError with the platform's message.
void writeFileAtomically(const QString& path, QByteArrayView bytes);

// The whole content of a file. Throws FileError with the platform's message when
// the file cannot be opened or read.
QByteArray readWholeFile(const QString& path);

} // namespace korbena
