#include "platform/AtomicFile.h"

#include "platform/Error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korbena {

namespace {

// Only tests set this, before the writes they fault.
const WriteFault* g_fault = nullptr;

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString injectedFaultMessage()
{
    return QStringLiteral("injected write fault");
}

QString temporaryName(const QString& target)
{
    return QStringLiteral("%1.%2.t%3.part")
        .arg(target)
        .arg(::getpid())
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

// The process a temporary belongs to: "NAME.PID.tXXXXXXXXXXXXXXXX.part" (sixteen hex
// digits), or "barcode_NNN.bmp.PID.part" as label images were once written; 0 for
// any other name, which is never touched.
qint64 ownerOf(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(?:barcode_\d+\.bmp\.(\d{1,9})|.+\.(\d{1,9})\.t[0-9a-f]{16})\.part$)"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return 0;
    return (m.capturedLength(1) > 0 ? m.captured(1) : m.captured(2)).toLongLong();
}

FileStamp stampOf(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_ino), static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

bool processIsGone(qint64 pid)
{
    return pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

void removeStaleOnce(const QString& folder)
{
    static std::mutex mutex;
    static std::set<QString> done;
    {
        const std::lock_guard lock(mutex);
        if (!done.insert(folder).second)
            return;
    }
    removeStaleTemporaries(folder);
}

} // namespace

// The temporary's bytes, buffered; the first failure sticks and every later write
// is refused, so the commit sees it however small the file is.
class AtomicFile::Device : public QIODevice
{
public:
    int fd = -1;
    QString temporary;
    QString error;
    qint64 written = 0;

    bool failed() const { return !error.isEmpty(); }

    void fail(const QString& message)
    {
        if (error.isEmpty())
            error = message;
    }

    // Hands the buffer to the file system, as a full disk would refuse it under a
    // fault.
    bool drain()
    {
        qsizetype done = 0;
        while (!failed() && done < m_buffer.size()) {
            qsizetype n = m_buffer.size() - done;
            if (g_fault && g_fault->failAfterBytes >= 0)
                n = std::min<qsizetype>(n, std::max<qint64>(0, g_fault->failAfterBytes - written));
            if (n == 0) {
                fail(systemMessage(ENOSPC));
                break;
            }
            const ssize_t w = ::write(fd, m_buffer.constData() + done, size_t(n));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                fail(systemMessage(w < 0 ? errno : ENOSPC));
                break;
            }
            done += w;
            written += w;
        }
        m_buffer.clear();
        return !failed();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override
    {
        if (failed())
            return -1;
        m_buffer.append(data, size);
        if (m_buffer.size() >= kBufferSize && !drain())
            return -1;
        return size;
    }

private:
    static constexpr qsizetype kBufferSize = 256 * 1024;
    QByteArray m_buffer;
};

AtomicFile::AtomicFile(QString path, AtomicWriteOptions options)
    : m_path(std::move(path)), m_options(options), m_device(std::make_unique<Device>())
{
}

AtomicFile::~AtomicFile()
{
    discard();
    m_device->close();
}

QIODevice* AtomicFile::device()
{
    return m_device.get();
}

bool AtomicFile::isOpen() const
{
    return m_device->fd >= 0;
}

QString AtomicFile::errorString() const
{
    return m_device->error;
}

bool AtomicFile::open()
{
    discard();
    Device& d = *m_device;
    d.close();
    d.error.clear();
    d.written = 0;
    const QFileInfo info(m_path);
    removeStaleOnce(info.absolutePath());
    for (int attempt = 0; attempt < 8; ++attempt) {
        d.temporary = temporaryName(info.absoluteFilePath());
        d.fd = ::open(QFile::encodeName(d.temporary).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (d.fd >= 0 || errno != EEXIST)
            break;
    }
    if (d.fd < 0) {
        d.error = systemMessage(errno);
        return false;
    }
    // A replaced file keeps its permissions.
    struct stat old
    {
    };
    if (::stat(QFile::encodeName(m_path).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(d.fd, old.st_mode & 07777);
    d.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

bool AtomicFile::commit()
{
    Device& d = *m_device;
    if (d.fd < 0) {
        d.fail(QStringLiteral("not open"));
        return false;
    }
    d.drain();
    if (!d.failed() && m_options.sync && (::fsync(d.fd) != 0 || (g_fault && g_fault->failSync)))
        d.fail(g_fault && g_fault->failSync ? injectedFaultMessage() : systemMessage(errno));
    struct stat written
    {
    };
    // The rename keeps the inode, the size and the time of the open file.
    m_stamp = !d.failed() && ::fstat(d.fd, &written) == 0 ? stampOf(written) : FileStamp{};
    if (::close(d.fd) != 0)
        d.fail(systemMessage(errno));
    d.fd = -1;
    d.close();
    if (!d.failed() && g_fault && g_fault->failBeforeRename)
        d.fail(injectedFaultMessage());
    const QByteArray target = QFile::encodeName(m_path);
    if (!d.failed() && m_options.removeTargetFirst && ::unlink(target.constData()) != 0 && errno != ENOENT)
        d.fail(systemMessage(errno));
    if (!d.failed() && ::rename(QFile::encodeName(d.temporary).constData(), target.constData()) != 0)
        d.fail(systemMessage(errno));
    if (d.failed()) {
        ::unlink(QFile::encodeName(d.temporary).constData());
        d.temporary.clear();
        return false;
    }
    d.temporary.clear();
    return true;
}

// The device stays open, refusing every byte, so a writer still attached (a PDF
// being ended) writes into nothing.
void AtomicFile::discard()
{
    Device& d = *m_device;
    if (d.fd >= 0) {
        ::close(d.fd);
        d.fd = -1;
        d.fail(QStringLiteral("cancelled"));
    }
    if (!d.temporary.isEmpty())
        ::unlink(QFile::encodeName(d.temporary).constData());
    d.temporary.clear();
}

void writeFileAtomically(const QString& path, QByteArrayView bytes, AtomicWriteOptions options)
{
    AtomicFile file(path, options);
    if (!file.open())
        throw FileError(file.errorString(), path);
    file.device()->write(bytes.data(), bytes.size());
    if (!file.commit())
        throw FileError(file.errorString(), path);
}

bool writeImageAtomically(const QString& path, const QImage& image, const char* format, QString& error,
                          AtomicWriteOptions options, FileStamp* stamp)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, format)) {
        error = QStringLiteral("%1 encoding failed").arg(QString::fromLatin1(format));
        return false;
    }
    AtomicFile file(path, options);
    if (!file.open() || (file.device()->write(bytes), !file.commit())) {
        error = file.errorString();
        return false;
    }
    if (stamp)
        *stamp = file.stamp();
    return true;
}

std::optional<FileStamp> fileStamp(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return stampOf(info);
}

void removeStaleTemporaries(const QString& folder)
{
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (processIsGone(ownerOf(name)))
            ::unlink(QFile::encodeName(QDir(folder).filePath(name)).constData());
    }
}

WriteFaultScope::WriteFaultScope(WriteFault fault) : m_previous(g_fault), m_fault(fault)
{
    g_fault = &m_fault;
}

WriteFaultScope::~WriteFaultScope()
{
    g_fault = m_previous;
}

// Only regular files are read: a FIFO would block for ever and a device such as
// /dev/zero never ends. The file is opened without blocking, then checked.
QByteArray readWholeFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(systemMessage(errno), path);
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw FileError(QStringLiteral("通常のファイルではありません"), path);
    }
    if (info.st_size > kMaxInputFileSize) {
        ::close(fd);
        throw FileError(QStringLiteral("ファイルが大きすぎます（%1 MB まで）").arg(kMaxInputFileSize >> 20),
                        path);
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw FileError(file.errorString(), path);
    }
    // Sized by the file, not by the limit: a read of the limit would reserve 256 MB
    // for every small file. A file still growing is read on in small pieces.
    QByteArray bytes = file.read(info.st_size + 1);
    while (bytes.size() <= kMaxInputFileSize) {
        const QByteArray more =
            file.read(std::min<qint64>(qint64(1) << 16, kMaxInputFileSize + 1 - bytes.size()));
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (file.error() != QFileDevice::NoError)
        throw FileError(file.errorString(), path);
    if (bytes.size() > kMaxInputFileSize)
        throw FileError(QStringLiteral("ファイルが大きすぎます（%1 MB まで）").arg(kMaxInputFileSize >> 20),
                        path);
    return bytes;
}

} // namespace korbena
