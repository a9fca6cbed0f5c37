#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <optional>

class QImage;

namespace korbena {

// How a file replaces its predecessor.
struct AtomicWriteOptions
{
    // Force the bytes to the disk before the rename. Only files rewritten on every
    // redraw (the label images) skip it.
    bool sync = true;
    // Remove the old file just before the rename, for files that may briefly be
    // absent: renaming onto a free name spares the file system the flush a
    // replacing rename forces.
    bool removeTargetFirst = false;
};

// What identifies one version of a file: a rewrite by anyone renames a new file in
// (a new inode) or changes its size or time.
struct FileStamp
{
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0; // nanoseconds

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` now; nothing when there is none.
std::optional<FileStamp> fileStamp(const QString& path);

// A file written to a temporary beside its target and renamed over the target only
// after every write, the final flush, the sync and the close have succeeded, so a
// failure (disk full, no permission) leaves the previous file whole. The temporary
// is created exclusively under an unpredictable name ("NAME.PID.tXXXXXXXX.part"),
// never through a link; one left behind by a killed run is removed by the next
// write into that folder.
class AtomicFile
{
public:
    explicit AtomicFile(QString path, AtomicWriteOptions options = {});
    ~AtomicFile(); // discards an uncommitted temporary
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary; false with errorString() when it cannot be created.
    bool open();
    // Where the bytes go (buffered; errors stick until commit reports them). It
    // exists before open() so a writer can be attached to it early.
    QIODevice* device();
    // Puts the file in place; false with errorString() when anything failed, the
    // temporary then removed and the target untouched.
    bool commit();
    // Removes the temporary, if any.
    void discard();
    bool isOpen() const;
    QString errorString() const;
    // The stamp of the file put in place by the last successful commit, taken from the
    // open file so that it costs no second look-up by name.
    const FileStamp& stamp() const { return m_stamp; }
    const QString& path() const { return m_path; }

private:
    class Device;
    QString m_path;
    AtomicWriteOptions m_options;
    std::unique_ptr<Device> m_device;
    FileStamp m_stamp;
};

// Writes bytes through an AtomicFile. Throws FileError with the platform's message.
void writeFileAtomically(const QString& path, QByteArrayView bytes, AtomicWriteOptions options = {});

// Encodes a picture ("PNG", "BMP") and writes it through an AtomicFile; false with
// `error` when it cannot be encoded or written. `stamp`, when given, receives the
// stamp of the file written.
bool writeImageAtomically(const QString& path, const QImage& image, const char* format, QString& error,
                          AtomicWriteOptions options = {}, FileStamp* stamp = nullptr);

// Removes the temporaries of runs that no longer exist from a folder; the first
// atomic write into a folder does it once per process.
void removeStaleTemporaries(const QString& folder);

// A fault that tests inject into every atomic write while a WriteFaultScope lives:
// the file system refuses bytes past the first `failAfterBytes` written to one file
// as a full disk does (when not negative), the sync fails (`failSync`), or once all
// bytes are written the write stops just before the file is renamed into place.
struct WriteFault
{
    qint64 failAfterBytes = -1;
    bool failBeforeRename = false;
    bool failSync = false;
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

// The largest file the program reads (a million-row data list is some 50 MB).
inline constexpr qint64 kMaxInputFileSize = qint64(256) << 20;

// The whole content of a regular file. Throws FileError with the platform's message
// when the file cannot be opened or read, and with "通常のファイルではありません" for a
// FIFO, device or folder, "ファイルが大きすぎます（256 MB まで）" beyond kMaxInputFileSize.
QByteArray readWholeFile(const QString& path);

} // namespace korbena
