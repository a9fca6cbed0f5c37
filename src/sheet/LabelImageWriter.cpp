#include "sheet/LabelImageWriter.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace korbena {

namespace {

// QImage's own comparison reads one-bit pictures pixel by pixel; their bytes serve.
bool samePicture(const QImage& a, const QImage& b)
{
    return a.size() == b.size() && a.format() == b.format() && a.colorTable() == b.colorTable() &&
           a.sizeInBytes() == b.sizeInBytes() &&
           std::memcmp(a.constBits(), b.constBits(), static_cast<std::size_t>(a.sizeInBytes())) == 0;
}

} // namespace

LabelImageWriter::LabelImageWriter(AtomicWriteOptions options)
    : m_options(options), m_thread([this] { run(); })
{
}

LabelImageWriter::~LabelImageWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void LabelImageWriter::write(const QString& path, const QImage& picture)
{
    {
        const std::lock_guard lock(m_mutex);
        const auto [waiting, added] = m_waiting.try_emplace(path, picture);
        if (!added) {
            waiting->second = picture; // the older picture was never written: it is not needed
            return;
        }
        m_order.push_back(path);
        // Behind other files the thread reaches it by itself: a waiting thread is only
        // woken for work that was not there.
        if (m_order.size() > 1)
            return;
    }
    m_wake.notify_one();
}

void LabelImageWriter::remove(const QString& path)
{
    write(path, QImage());
}

QString LabelImageWriter::finish()
{
    std::unique_lock lock(m_mutex);
    ++m_finishing;
    m_wake.notify_one();
    m_idle.wait(lock, [this] { return m_order.empty() && !m_busy; });
    --m_finishing;
    QString error;
    error.swap(m_error);
    return error;
}

void LabelImageWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_order.empty(); });
        // Files handed in before the end are written all the same.
        if (m_order.empty())
            return;
        // A file rewritten moments ago waits a little, unless someone waits for it:
        // the pictures of the pages printed meanwhile replace one another unwritten.
        const QString& next = m_order.front();
        const auto last = m_touched.find(next);
        if (last != m_touched.end() && !m_stop && m_finishing == 0) {
            const Clock::time_point due = last->second + kRewriteInterval;
            if (Clock::now() < due) {
                m_wake.wait_until(lock, due, [this] { return m_stop || m_finishing > 0; });
                continue;
            }
        }
        const QString path = std::move(m_order.front());
        m_order.pop_front();
        const auto waiting = m_waiting.find(path);
        const QImage picture = std::move(waiting->second);
        m_waiting.erase(waiting);
        m_busy = true;
        lock.unlock();
        apply(path, picture);
        lock.lock();
        m_touched[path] = Clock::now();
        m_busy = false;
        if (m_order.empty())
            m_idle.notify_all();
    }
}

void LabelImageWriter::apply(const QString& path, const QImage& picture)
{
    const auto known = m_written.find(path);
    if (picture.isNull()) {
        if (known != m_written.end())
            m_written.erase(known);
        if (::unlink(QFile::encodeName(path).constData()) == 0)
            ++m_done;
        else if (errno != ENOENT)
            fail(path, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (known != m_written.end() && samePicture(known->second.picture, picture)) {
        if (fileStamp(path) == known->second.stamp)
            return;
    }
    FileStamp stamp;
    QString error;
    if (!writeImageAtomically(path, picture, "BMP", error, m_options, &stamp)) {
        m_written.erase(path);
        fail(path, error);
        return;
    }
    m_written[path] = {picture, stamp};
    ++m_done;
}

void LabelImageWriter::fail(const QString& path, const QString& reason)
{
    const std::lock_guard lock(m_mutex);
    if (m_error.isEmpty())
        m_error = path + QStringLiteral(": ") + reason;
}

} // namespace korbena
