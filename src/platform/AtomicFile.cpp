#include "platform/AtomicFile.h"

#include "platform/Error.h"

#include <QFile>
#include <QSaveFile>

namespace korbena {

void writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what loses files.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(file.errorString(), path);
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString message = file.errorString();
        file.cancelWriting();
        throw FileError(message, path);
    }
    if (!file.commit())
        throw FileError(file.errorString(), path);
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(file.errorString(), path);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(file.errorString(), path);
    return bytes;
}

} // namespace korbena
