#include "document/DataFile.h"
#include "document/LabelStyle.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace korbena {
namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Saves `next` over a file saved from `previous`, failing the write after every
// possible number of bytes and once just before the rename: each time the caller
// hears of it, the previous file stays byte for byte, and nothing else is left in
// the folder.
void everyCutKeepsThePreviousFile(const std::function<void(const QString&)>& previous,
                                  const std::function<void(const QString&)>& next, const char* name)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    previous(path);
    const QByteArray before = bytesOf(path);

    QTemporaryDir probe;
    next(probe.filePath(QStringLiteral("whole")));
    const qint64 size = bytesOf(probe.filePath(QStringLiteral("whole"))).size();
    ASSERT_GT(size, 0);

    std::vector<WriteFault> faults;
    for (qint64 cut = 0; cut < size; ++cut)
        faults.push_back({cut, false});
    faults.push_back({-1, true});
    for (const WriteFault& fault : faults) {
        const WriteFaultScope scope(fault);
        EXPECT_THROW(next(path), FileError) << name << " cut at " << fault.failAfterBytes;
        ASSERT_EQ(bytesOf(path), before) << name << " cut at " << fault.failAfterBytes;
        ASSERT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QString::fromLatin1(name)})
            << name << " cut at " << fault.failAfterBytes;
    }
    // Without a fault the save goes through.
    next(path);
    EXPECT_EQ(bytesOf(path), bytesOf(probe.filePath(QStringLiteral("whole"))));
}

TEST(SaveUnderFaults, StyleAndDataFilesSurviveAWriteCutAnywhere)
{
    LabelStyle oldStyle;
    LabelStyle newStyle;
    newStyle.sheet.across = 4;
    newStyle.title.fontName = QStringLiteral("ＭＳ 明朝");
    everyCutKeepsThePreviousFile([&](const QString& p) { WriteStyleFile(p, oldStyle); },
                                 [&](const QString& p) { WriteStyleFile(p, newStyle); }, "label.kbz");

    DataList oldRows;
    oldRows.SetRowCount(4);
    oldRows.setTitle(1, QStringLiteral("前の品名"));
    oldRows.setNumber(1, QStringLiteral("4901234567894"));
    DataList newRows = oldRows;
    newRows.setTitle(2, QStringLiteral("新しい品名"));
    newRows.setNumber(2, QStringLiteral("4512345678906"));
    everyCutKeepsThePreviousFile([&](const QString& p) { writeDataFile(p, oldRows); },
                                 [&](const QString& p) { writeDataFile(p, newRows); }, "rows.lst");
}

} // namespace
} // namespace korbena
