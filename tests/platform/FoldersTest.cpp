#include "platform/Folders.h"

#include "document/DataFile.h"
#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

bool writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray textOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// An installation with templates in conf, style and barimage, and a working folder
// location that does not exist yet.
class WorkingFolder : public ::testing::Test
{
protected:
    QTemporaryDir temp;
    QString install = temp.filePath(QStringLiteral("install"));
    QString data = temp.filePath(QStringLiteral("share/tesselink/korbenaXe10"));

    void SetUp() override
    {
        for (const char* name : {"conf", "style", "barimage", "conf/nested"})
            ASSERT_TRUE(QDir().mkpath(install + u'/' + QLatin1String(name)));
        ASSERT_TRUE(writeText(install + QStringLiteral("/conf/KORBENA.dat"), "style"));
        ASSERT_TRUE(writeText(install + QStringLiteral("/conf/KORBENA.lst"), "data"));
        ASSERT_TRUE(writeText(install + QStringLiteral("/conf/nested/deep.txt"), "deep"));
        ASSERT_TRUE(writeText(install + QStringLiteral("/style/A4-65.kbz"), "sheet"));
        ASSERT_TRUE(writeText(install + QStringLiteral("/barimage/barcode_000.bmp"), "bmp"));
    }
};

TEST_F(WorkingFolder, FirstRunCreatesTheFolderWithParentsAndCopiesTheTemplates)
{
    ASSERT_TRUE(PrepareDataFolder(data, install));
    EXPECT_EQ(filesIn(data + QStringLiteral("/conf")), (QStringList{"KORBENA.dat", "KORBENA.lst"}));
    EXPECT_EQ(filesIn(data + QStringLiteral("/style")), QStringList{"A4-65.kbz"});
    EXPECT_EQ(filesIn(data + QStringLiteral("/barimage")), QStringList{"barcode_000.bmp"});
    EXPECT_EQ(textOf(DefaultStyleFile(data)), QByteArray("style"));
    EXPECT_EQ(textOf(DefaultDataFile(data)), QByteArray("data"));
    // Files only: no subfolders are copied; listdata is never made.
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/conf/nested")));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/listdata")));
}

TEST_F(WorkingFolder, AnExistingSubfolderIsNeverRefilled)
{
    ASSERT_TRUE(PrepareDataFolder(data, install));
    // The user changes the default style and empties the style folder.
    ASSERT_TRUE(writeText(DefaultStyleFile(data), "mine"));
    ASSERT_TRUE(QFile::remove(data + QStringLiteral("/style/A4-65.kbz")));
    ASSERT_TRUE(PrepareDataFolder(data, install));
    EXPECT_EQ(textOf(DefaultStyleFile(data)), QByteArray("mine"));
    EXPECT_TRUE(filesIn(data + QStringLiteral("/style")).isEmpty());
}

TEST_F(WorkingFolder, ADeletedSubfolderIsCopiedAgainAndTheOthersAreLeftAlone)
{
    ASSERT_TRUE(PrepareDataFolder(data, install));
    ASSERT_TRUE(writeText(DefaultStyleFile(data), "mine"));
    ASSERT_TRUE(QDir(data + QStringLiteral("/style")).removeRecursively());
    ASSERT_TRUE(PrepareDataFolder(data, install));
    EXPECT_EQ(filesIn(data + QStringLiteral("/style")), QStringList{"A4-65.kbz"});
    EXPECT_EQ(textOf(DefaultStyleFile(data)), QByteArray("mine"));
}

TEST_F(WorkingFolder, WithoutTemplatesNothingIsMarkedAndALaterRunFillsTheFolder)
{
    QStringList unfilled;
    ASSERT_TRUE(PrepareDataFolder(data, temp.filePath(QStringLiteral("nowhere")), &unfilled));
    EXPECT_EQ(unfilled, (QStringList{"conf", "style", "barimage"}));
    // Neither the subfolders nor a half-filled staging folder are left behind.
    EXPECT_TRUE(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

    // Only the style templates are shipped: the others stay unmarked.
    unfilled.clear();
    ASSERT_TRUE(QDir(install + QStringLiteral("/conf")).removeRecursively());
    ASSERT_TRUE(PrepareDataFolder(data, install, &unfilled));
    EXPECT_EQ(unfilled, QStringList{"conf"});
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/conf")));

    SetUp(); // the templates are found again
    unfilled.clear();
    ASSERT_TRUE(PrepareDataFolder(data, install, &unfilled));
    EXPECT_TRUE(unfilled.isEmpty());
    EXPECT_EQ(textOf(DefaultStyleFile(data)), QByteArray("style"));
    EXPECT_EQ(filesIn(data + QStringLiteral("/style")), QStringList{"A4-65.kbz"});
}

TEST_F(WorkingFolder, CopiesOfReadOnlyTemplatesCanBeChanged)
{
    const QString shipped = install + QStringLiteral("/conf/KORBENA.dat");
    ASSERT_TRUE(QFile::setPermissions(shipped, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    ASSERT_TRUE(PrepareDataFolder(data, install));
    EXPECT_TRUE(QFile::permissions(DefaultStyleFile(data)) & QFileDevice::WriteOwner);
}

TEST(InstallFolder, IsTheExecutablesFolderWhenItHoldsTheTemplatesElseTheSharedFolder)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString shared = prefix.filePath(QStringLiteral("share/korbena"));
    ASSERT_TRUE(QDir().mkpath(bin));
    // Installed: the templates are in <prefix>/share/korbena, and named there when missing.
    EXPECT_EQ(installFolderFor(bin), shared);
    ASSERT_TRUE(QDir().mkpath(shared + QStringLiteral("/conf")));
    EXPECT_EQ(installFolderFor(bin), shared);
    // The build tree: the templates beside the programs win.
    ASSERT_TRUE(QDir().mkpath(bin + QStringLiteral("/conf")));
    EXPECT_EQ(installFolderFor(bin), bin);
}

TEST_F(WorkingFolder, AFolderThatCannotBeMadeIsReported)
{
    ASSERT_TRUE(writeText(temp.filePath(QStringLiteral("plain")), "a file, not a folder"));
    EXPECT_FALSE(PrepareDataFolder(temp.filePath(QStringLiteral("plain/korbenaXe10")), install));
}

TEST(DataFolder, LiesInTheDesktopsDataLocation)
{
    QTemporaryDir home;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    EXPECT_EQ(DataFolder(), home.path() + QStringLiteral("/tesselink/korbenaXe10"));
    EXPECT_EQ(DefaultStyleFile(DataFolder()),
              home.path() + QStringLiteral("/tesselink/korbenaXe10/conf/KORBENA.dat"));
    if (previous.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previous);
}

// The templates the program ships, in the source tree.
QString shippedFile(const QString& name)
{
    return QStringLiteral(KORBENA_SOURCE_DIR "/resources/") + name;
}

TEST(ShippedTemplates, StylesReadBackAndWriteAgainByteForByte)
{
    QTemporaryDir temp;
    const QStringList styles = {
        QStringLiteral("conf/KORBENA.dat"),        QStringLiteral("style/A4-12-ITF.kbz"),
        QStringLiteral("style/A4-24-JAN.kbz"),     QStringLiteral("style/A4-24-CODE39.kbz"),
        QStringLiteral("style/A4-44-CODE128.kbz"), QStringLiteral("style/A4-65-JAN.kbz")};
    for (const QString& name : styles) {
        const QString path = shippedFile(name);
        LabelStyle style;
        StyleFileExtras extras;
        ASSERT_NO_THROW(applyStyleLines(readStyleFile(path), style, extras, path)) << name.toStdString();
        EXPECT_EQ(style.sheet.paper, 9) << name.toStdString(); // A4
        EXPECT_GE(static_cast<int>(style.sheet.across * style.sheet.down), 12) << name.toStdString();
        EXPECT_EQ(style.placement.sizeMode, 1) << name.toStdString();
        const QString again = temp.filePath(QStringLiteral("again.kbz"));
        WriteStyleFile(again, style);
        EXPECT_EQ(readWholeFile(again), readWholeFile(path)) << name.toStdString();
    }
}

TEST(ShippedTemplates, TheDefaultListHoldsJapaneseTitlesAndJanNumbers)
{
    const QString path = shippedFile(QStringLiteral("conf/KORBENA.lst"));
    const QByteArray bytes = readWholeFile(path);
    EXPECT_TRUE(bytes.contains("\r\n"));
    EXPECT_FALSE(bytes.contains("\xEF\xBB\xBF")); // no byte-order mark
    DataList rows;
    rows.SetRowCount(DataList::kMinRowCount); // the list's own length, not the new grid's
    ASSERT_NO_THROW(applyDataLines(readDataFile(path), rows, path));
    int count = 0;
    for (int row = 1; row < rows.RowCount() && !rows.number(row).isEmpty(); ++row) {
        ++count;
        const QString number = rows.number(row);
        EXPECT_EQ(number.size(), 12) << row;
        EXPECT_TRUE(number.startsWith(QStringLiteral("49"))) << row;
        bool digits = false;
        number.toLongLong(&digits);
        EXPECT_TRUE(digits) << row;
        EXPECT_FALSE(rows.title(row).isEmpty()) << row;
    }
    EXPECT_GE(count, 24); // more than one page of the default sheet
    EXPECT_EQ(rows.title(1), QStringLiteral("りんご（ふじ）"));
    QTemporaryDir temp;
    writeDataFile(temp.filePath(QStringLiteral("again.lst")), rows);
    EXPECT_EQ(readWholeFile(temp.filePath(QStringLiteral("again.lst"))), bytes);
}

} // namespace
} // namespace korbena
