// Every file korbena-cli writes, on a full disk: the command fails and the file
// it would have replaced stays as it was.
#include "cli/BarcodeCommand.h"
#include "cli/CalibrateCommand.h"
#include "cli/CommandRunner.h"
#include "cli/ImportCommand.h"
#include "cli/PreviewCommand.h"
#include "cli/PrintCommand.h"
#include "cli/TemplateCommand.h"
#include "document/DataFile.h"
#include "document/DataList.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/mount.h>

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
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

struct Writer
{
    const char* name;
    QString target;
    std::function<test::Outcome()> run;
};

// The writers of korbena-cli, each aimed at a file in `folder`; the settings file
// lies in the working folder under $XDG_DATA_HOME.
std::vector<Writer> writers(const QString& folder)
{
    const auto at = [folder](const char* name) { return folder + u'/' + QLatin1String(name); };
    const QString csv = at("in.csv"), data = at("rows.lst");
    const QString settings = DataFolder() + QStringLiteral("/conf/abacora.ini");
    const auto barcode = [](const QString& out) {
        return [out] {
            return runCommand(runBarcode, {"--type", "JAN", "--code", "490123456789", "--out", out});
        };
    };
    return {
        {"template", at("x.kbz"),
         [=] {
             return runCommand(runTemplate, {"--apply", "汎用 A4 44面", "--out", at("x.kbz")});
         }},
        {"import", at("x.lst"),
         [=] {
             return runCommand(runImport,
                               {csv, "--title-col", "1", "--number-col", "2", "--out", at("x.lst")});
         }},
        {"print", at("x.pdf"),
         [=] {
             return runCommand(runPrint, {"--data", data, "--out", at("x.pdf")});
         }},
        {"preview", at("p.png"),
         [=] {
             return runCommand(runPreview, {"--data", data, "--out", at("p.png")});
         }},
        {"calibrate --out", at("c.pdf"),
         [=] {
             return runCommand(runCalibrate, {"--printer", "office", "--out", at("c.pdf")});
         }},
        {"barcode png", at("b.png"), barcode(at("b.png"))},
        {"barcode svg", at("b.svg"), barcode(at("b.svg"))},
        {"barcode bmp", at("b.bmp"), barcode(at("b.bmp"))},
        {"calibrate --measured-shift", settings,
         [] {
             return runCommand(runCalibrate, {"--printer", "office", "--measured-shift", "1.5,-0.5"});
         }},
    };
}

class DiskFull : public test::FreshWorkingFolder
{
protected:
    // The inputs, and every target holding bytes of an earlier run.
    void prepare(const QString& folder)
    {
        QByteArray csv;
        for (int i = 1; i <= 10; ++i)
            csv += "item " + QByteArray::number(i) + ",490123456789\r\n";
        put(folder + QStringLiteral("/in.csv"), csv);
        DataList rows;
        rows.setTitle(1, QStringLiteral("品名"));
        rows.setNumber(1, QStringLiteral("490123456789"));
        writeDataFile(folder + QStringLiteral("/rows.lst"), rows);
        PrepareDataFolder(DataFolder(), InstallFolder());
        for (const Writer& w : writers(folder))
            put(w.target, QByteArray("earlier ") + w.name);
    }

    void expectEveryWriterFailsAndKeepsItsTarget(const QString& folder)
    {
        for (const Writer& w : writers(folder)) {
            const QByteArray before = fileBytes(w.target);
            const test::Outcome outcome = w.run();
            EXPECT_NE(outcome.code, 0) << w.name;
            EXPECT_EQ(fileBytes(w.target), before) << w.name;
            EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty()) << w.name;
        }
    }
};

TEST_F(DiskFull, EveryWriterFailsAndKeepsTheEarlierFileWhenTheDiskRefusesBytes)
{
    prepare(work.path());
    // Without a fault every writer succeeds and replaces its target.
    for (const Writer& w : writers(work.path())) {
        const test::Outcome outcome = w.run();
        EXPECT_EQ(outcome.code, 0) << w.name << outcome.err.toStdString();
        EXPECT_NE(fileBytes(w.target), QByteArray("earlier ") + w.name) << w.name;
        put(w.target, QByteArray("earlier ") + w.name);
    }
    for (const WriteFault fault : {WriteFault{0, false, false}, WriteFault{-1, false, true}}) {
        const WriteFaultScope scope(fault);
        expectEveryWriterFailsAndKeepsItsTarget(work.path());
    }
}

// A real full file system: a small tmpfs filled to the last byte. Needs the right
// to mount (root in CI).
TEST_F(DiskFull, EveryWriterFailsAndKeepsTheEarlierFileOnAFullFileSystem)
{
    QTemporaryDir mountPoint;
    if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString folder = mountPoint.path();
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("/home")));
    prepare(folder);
    {
        QFile filler(folder + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        // The last page may still take a few bytes.
        while (filler.write("x", 1) == 1) {
        }
    }
    expectEveryWriterFailsAndKeepsItsTarget(folder);
    EXPECT_EQ(::umount2(QFile::encodeName(folder).constData(), MNT_DETACH), 0);
}

} // namespace
} // namespace korbena::cli
