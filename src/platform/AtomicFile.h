#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace korbena {

// Writes bytes to a temporary file in the target's folder and renames it over the
// target, so a failed write (no permission, disk full) leaves the previous file
// whole. Throws FileError with the platform's message.
void writeFileAtomically(const QString& path, QByteArrayView bytes);

// A fault that tests inject into every atomic write while a WriteFaultScope lives:
// the write stops with an error after `failAfterBytes` bytes (when not negative),
// or once all bytes are written, just before the file is renamed into place.
struct WriteFault
{
    qint64 failAfterBytes = -1;
    bool failBeforeRename = false;
};

class WriteFaultScope
{
public:
    explicit WriteFaultScope(WriteFault fault);
    ~WriteFaultScope();
    WriteFaultScope(const WriteFaultScope&) = delete;
    WriteFaultScope& operator=(const WriteFaultScope&) = delete;

private:
    const WriteFault* m_previous;
    WriteFault m_fault;
};

// The whole content of a file. Throws FileError with the platform's message when
// the file cannot be opened or read.
QByteArray readWholeFile(const QString& path);

} // namespace korbena
