#pragma once

#include "platform/AtomicFile.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace korbena {

// Writes the label image files on a thread of its own, so that drawing a page never
// waits for the file system. Each file is written whole through a temporary renamed
// over it, as every file of the program is.
//
// Only the newest picture of a file matters: a picture handed in while an older one
// for the same file still waits replaces it, so at most one picture per file waits
// and memory stays flat however long a print runs. A file is rewritten at most every
// kRewriteInterval unless someone waits for it (finish), so a long print costs a few
// files a second, not one a label. A file still holding exactly the picture this
// writer last put there, untouched since, is not written again.
class LabelImageWriter
{
public:
    explicit LabelImageWriter(AtomicWriteOptions options = labelImageWriteOptions());
    // Writes what still waits, then stops the thread.
    ~LabelImageWriter();
    LabelImageWriter(const LabelImageWriter&) = delete;
    LabelImageWriter& operator=(const LabelImageWriter&) = delete;

    // `path` is to hold `picture`, saved as a BMP file.
    void write(const QString& path, const QImage& picture);
    // `path` is to be absent.
    void remove(const QString& path);
    // Waits until every file handed in is written or removed. Returns the first file
    // that could not be, "PATH: reason", since the last call; empty when none.
    QString finish();
    // Files written or removed so far; pictures replaced while waiting and files
    // already holding their picture are not counted.
    long long filesDone() const { return m_done.load(); }

    // The label images are rewritten on every composition, so they are not forced to
    // the disk; the old file goes just before the rename, since a rename onto a free
    // name spares the file system the flush that a replacing rename starts.
    static AtomicWriteOptions labelImageWriteOptions() { return {.sync = false, .removeTargetFirst = true}; }

    // A print composes a page in a few milliseconds: its files are brought up to date
    // four times a second, and exactly at its end. Every rewrite makes the file system
    // find a new inode, and that search grows with the inodes freed before.
    static constexpr std::chrono::milliseconds kRewriteInterval{250};

private:
    // What this writer last put in a file, and the file's stamp just after.
    struct Written
    {
        QImage picture;
        FileStamp stamp;
    };

    void run();
    // Does one file's work; the first problem goes to `m_error`.
    void apply(const QString& path, const QImage& picture);
    void fail(const QString& path, const QString& reason);

    AtomicWriteOptions m_options;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<QString> m_order;                   // files waiting, oldest first
    std::unordered_map<QString, QImage> m_waiting; // a null picture removes the file
    bool m_busy = false;                           // the thread is at work on a file
    bool m_stop = false;
    int m_finishing = 0; // callers waiting in finish()
    // When the thread last wrote or removed each file.
    using Clock = std::chrono::steady_clock;
    std::unordered_map<QString, Clock::time_point> m_touched;
    QString m_error;
    std::atomic<long long> m_done = 0;
    std::unordered_map<QString, Written> m_written; // the thread's own
    std::thread m_thread;                           // last: started once the rest exists
};

} // namespace korbena
