#include "platform/AtomicFile.h"

#include "platform/Error.h"

#include <QFile>
#include <QSaveFile>

namespace korbena {

namespace {

// The program is single-threaded; only tests set this.
const WriteFault* g_fault = nullptr;

QString injectedFaultMessage()
{
    return QStringLiteral("injected write fault");
}

} // namespace

WriteFaultScope::WriteFaultScope(WriteFault fault) : m_previous(g_fault), m_fault(fault)
{
    g_fault = &m_fault;
}

WriteFaultScope::~WriteFaultScope()
{
    g_fault = m_previous;
}

void writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what loses files.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(file.errorString(), path);
    const auto fail = [&](const QString& message) {
        file.cancelWriting();
        throw FileError(message, path);
    };
    if (g_fault && g_fault->failAfterBytes >= 0 && g_fault->failAfterBytes < bytes.size()) {
        file.write(bytes.data(), g_fault->failAfterBytes);
        file.flush();
        fail(injectedFaultMessage());
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        fail(file.errorString());
    if (g_fault && g_fault->failBeforeRename) {
        file.flush();
        fail(injectedFaultMessage());
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
