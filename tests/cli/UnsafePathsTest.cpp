// Links planted in the working folder, and temporaries left by a killed run.
#include "cli/CommandRunner.h"
#include "cli/PreviewCommand.h"
#include "cli/TemplateCommand.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace korbena::cli {
namespace {

using test::runCommand;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The id of a process that has ended.
qint64 endedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

class UnsafePaths : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QTemporaryDir other;
    QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");

    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        PrepareDataFolder(DataFolder(), InstallFolder());
    }
    void TearDown() override
    {
        if (previousDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", previousDataHome);
    }
};

TEST_F(UnsafePaths, LinksAtTheTemporaryNamesAreNeverWrittenThrough)
{
    const QString images = DataFolder() + QStringLiteral("/barimage/");
    const QString victim = other.filePath(QStringLiteral("victim"));
    put(victim, "keep me");
    // The names the label images' temporaries had: the file's name and this process's id.
    const QString pid = QString::number(::getpid());
    for (const char* cell : {"000", "001", "002"}) {
        const QString link = images + QStringLiteral("barcode_%1.bmp.%2.part").arg(QLatin1String(cell), pid);
        ASSERT_TRUE(QFile::link(victim, link));
    }
    const QString out = other.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(QFile::link(victim, out + u'.' + pid + QStringLiteral(".part")));

    const auto shown = runCommand(runPreview, {"--out", out});
    EXPECT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_EQ(fileBytes(victim), QByteArray("keep me"));
    EXPECT_TRUE(fileBytes(images + QStringLiteral("barcode_000.bmp")).startsWith("BM"));
    EXPECT_TRUE(fileBytes(out).startsWith("\x89PNG"));
}

TEST_F(UnsafePaths, TemporariesOfEndedRunsAreRemovedByTheNextWrite)
{
    const QString images = DataFolder() + QStringLiteral("/barimage/");
    const QString dead = QString::number(endedProcess());
    const QString alive = QString::number(::getpid());
    const QStringList stale{images + QStringLiteral("barcode_000.bmp.%1.part").arg(dead),
                            images + QStringLiteral("barcode_007.bmp.%1.t0123456789abcdef.part").arg(dead),
                            other.filePath(QStringLiteral("x.kbz.%1.t89ef0123456789ab.part").arg(dead))};
    const QStringList kept{images + QStringLiteral("barcode_001.bmp.%1.part").arg(alive),
                           other.filePath(QStringLiteral("notes.part")),
                           // Not a name the program gives: the user's, whoever wrote it.
                           other.filePath(QStringLiteral("video.%1.part").arg(dead)),
                           other.filePath(QStringLiteral("x.kbz.%1.tfedcba9876543210.part").arg(alive))};
    for (const QString& path : stale + kept)
        put(path, "left");

    EXPECT_EQ(runCommand(runPreview, {"--out", other.filePath(QStringLiteral("p.png"))}).code, 0);
    EXPECT_EQ(
        runCommand(runTemplate, {"--apply", "汎用 A4 44面", "--out", other.filePath(QStringLiteral("x.kbz"))})
            .code,
        0);
    for (const QString& path : stale)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString& path : kept)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
}

} // namespace
} // namespace korbena::cli
