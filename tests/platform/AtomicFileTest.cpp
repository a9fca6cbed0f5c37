#include "platform/AtomicFile.h"

#include "TestSupport.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace korbena {
namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Root passes every permission check; for the test's thread, let the permission
// bits apply as they do to a user, and restore the capabilities afterwards.
class PermissionBitsApply
{
public:
    PermissionBitsApply()
    {
        if (geteuid() != 0)
            return;
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~PermissionBitsApply()
    {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    PermissionBitsApply(const PermissionBitsApply&) = delete;
    PermissionBitsApply& operator=(const PermissionBitsApply&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};

// Files may grow to `bytes` only, the way a full disk stops a write: the write
// fails with an error instead of the process being stopped.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(AtomicFile, CreatesAndReplacesTheFileLeavingNothingElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("style.kbz");
    writeFileAtomically(path, "first, longer");
    writeFileAtomically(path, "second");
    EXPECT_EQ(contentOf(path), QByteArray("second"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"style.kbz"}));
}

TEST(AtomicFile, ReadOnlyFolderKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.lst");
    put(path, "previous");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    {
        PermissionBitsApply permissions;
        if (faccessat(AT_FDCWD, dir.path().toLocal8Bit().constData(), W_OK, AT_EACCESS) == 0) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "permission bits do not apply to this process";
        }
        try {
            writeFileAtomically(path, "new content");
            ADD_FAILURE() << "writing into a read-only folder reported success";
        } catch (const FileError& error) {
            EXPECT_FALSE(error.message().isEmpty());
            EXPECT_EQ(error.path(), path);
            EXPECT_TRUE(error.detail().contains("data.lst"));
        }
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(contentOf(path), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"data.lst"}));
}

TEST(AtomicFile, WriteErrorKeepsThePreviousFileAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.lst");
    put(path, "previous");
    try {
        FileSizeLimit limit(4096);
        writeFileAtomically(path, QByteArray(200'000, 'x'));
        ADD_FAILURE() << "a write that could not finish reported success";
    } catch (const FileError& error) {
        EXPECT_FALSE(error.message().isEmpty()); // the platform's own text
    }
    EXPECT_EQ(contentOf(path), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"data.lst"}));
}

TEST(AtomicFile, MissingFilesAndFoldersAreErrorsNamingTheFile)
{
    QTemporaryDir dir;
    EXPECT_THROW(writeFileAtomically(dir.filePath("no/such/folder/x.lst"), "x"), FileError);
    const QString path = dir.filePath("gone.lst");
    try {
        readWholeFile(path);
        ADD_FAILURE() << "reading a missing file reported success";
    } catch (const FileError& error) {
        EXPECT_FALSE(error.message().isEmpty());
        EXPECT_EQ(error.path(), path);
    }
    EXPECT_THROW(readTextLines(dir.path()), FileError); // a folder is no file
}

TEST(TextFile, CodePage932WithCrLfOrUtf8WhenAskedAndDetected)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    writeTextLines(path, {"日本=1", "", "a€"});
    EXPECT_EQ(contentOf(path), QByteArray::fromHex("93fa967b3d310d0a0d0a613f0d0a"));
    EXPECT_EQ(readTextLines(path, TextEncoding::Cp932OrUtf8), QStringList({"日本=1", "", "a?"}));

    put(path, QStringLiteral("日本,1\r\nカナ,2").toUtf8());
    EXPECT_EQ(readTextLines(path, TextEncoding::Cp932OrUtf8), QStringList({"日本,1", "カナ,2"}));
    EXPECT_NE(readTextLines(path).value(0), QStringLiteral("日本,1"));
    put(path, QStringLiteral("日本,1\n").toUtf8() + "\xE3"); // not valid UTF-8 as a whole
    EXPECT_NE(readTextLines(path, TextEncoding::Cp932OrUtf8).value(0), QStringLiteral("日本,1"));
    put(path, "\xEF\xBB\xBF"
              "a,b\r\n");
    EXPECT_EQ(readTextLines(path, TextEncoding::Cp932OrUtf8), QStringList({"a,b"}));
}

} // namespace
} // namespace korbena
