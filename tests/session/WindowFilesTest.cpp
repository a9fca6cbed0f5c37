// The window's files: saves on a full disk, lists made elsewhere, planted links.
#include "ScriptedDialogs.h"
#include "document/ChangeTracking.h"
#include "document/DataFile.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "session/AppController.h"
#include "session/WindowSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena::test {
namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(FullDiskSave, YesAtCloseKeepsTheListTheStyleAndTheSettings)
{
    QTemporaryDir home;
    const QString data = home.path() + QStringLiteral("/data");
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    AppController c(dialogs, desktop, data, QStringLiteral(KORBENA_SOURCE_DIR "/resources"));
    c.setScreenDpi(96, 96);
    c.prepare();
    c.startupLoad();
    const QString conf = data + QStringLiteral("/conf/");
    // The settings file exists from an earlier close.
    c.closeSequence();
    const QString list = conf + QStringLiteral("KORBENA.lst"), style = conf + QStringLiteral("KORBENA.dat"),
                  settings = conf + QStringLiteral("abacora.ini");
    const QByteArray listBefore = fileBytes(list), styleBefore = fileBytes(style),
                     settingsBefore = fileBytes(settings);
    ASSERT_FALSE(settingsBefore.isEmpty());

    c.grid().setData(c.grid().index(0, DataGridModel::TitleColumn), QStringLiteral("変更した"));
    LabelStyle changed = c.style();
    changed.sheet.across = 2;
    c.setStyle(changed);
    c.explicitRedraw();
    c.setWindowGeometry(1, 2, 640, 480);

    const WriteFaultScope full({0, false, false});
    dialogs.expectConfirm("バーコードデータが変更されました。保存しますか？", true);
    dialogs.expectError("No space left on device");
    c.closeSequence();
    dialogs.expectDone();
    EXPECT_EQ(fileBytes(list), listBefore);
    EXPECT_EQ(fileBytes(style), styleBefore);
    EXPECT_EQ(fileBytes(settings), settingsBefore);
}

// A list made elsewhere, 100 rows without the empty row the program writes last:
// the message line names the row that is not printed until a row is added.
TEST(DataListEdges, TheMessageLineNamesTheRowPastTheList)
{
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    AppController c(dialogs, desktop, home.path() + QStringLiteral("/data"),
                    QStringLiteral(KORBENA_SOURCE_DIR "/resources"));
    c.setScreenDpi(96, 96);
    c.prepare();
    c.startupLoad();
    const QString list = home.path() + QStringLiteral("/hundred.lst");
    {
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int r = 1; r <= 100; ++r)
            file.write(QStringLiteral("[DATA_LIST]=%1;item %1;490000100013;\r\n").arg(r).toLatin1());
    }
    c.LoadDataList(list);
    c.explicitRedraw();
    EXPECT_TRUE(c.messageLine().startsWith(u"行 100 は印刷されません: リストは行 99 までです"))
        << c.messageLine().toStdString();
    c.appendRowCommand();
    c.explicitRedraw();
    EXPECT_TRUE(c.messageLine().isEmpty()) << c.messageLine().toStdString();
}

// The data file separates fields by ';': a title keeps its text as the full-width
// "；", a number holding ';' never enters the grid, typed or pasted.
TEST(DataListEdges, ASeparatorNeverSplitsAField)
{
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    AppController c(dialogs, desktop, home.path() + QStringLiteral("/data"),
                    QStringLiteral(KORBENA_SOURCE_DIR "/resources"));
    c.setScreenDpi(96, 96);
    c.prepare();
    c.startupLoad();
    DataGridModel& grid = c.grid();
    const QString number = c.rows().number(2);

    EXPECT_TRUE(grid.setData(grid.index(0, DataGridModel::TitleColumn), QStringLiteral("A;B")));
    dialogs.expectError("行 2: バーコード番号に「;」は使えません（データファイルの区切り文字です）");
    EXPECT_FALSE(grid.setData(grid.index(1, DataGridModel::NumberColumn), QStringLiteral("49;01")));
    dialogs.expectDone();
    EXPECT_EQ(c.rows().number(2), number);

    dialogs.expectError("行 4: バーコード番号に「;」は使えません（データファイルの区切り文字です）");
    EXPECT_TRUE(c.pasteCellsCommand(QStringLiteral("x\t1\ny\t2;3\n"), 3, 0).isEmpty());
    dialogs.expectDone();
    EXPECT_NE(c.rows().title(3), QStringLiteral("x")); // nothing of the block was written

    const QString list = home.path() + QStringLiteral("/sep.lst");
    dialogs.expectInformation("Korbena\r\nデータを登録しました");
    c.SaveDataList(list);
    dialogs.expectDone();
    const QStringList lines = readDataFile(list);
    EXPECT_EQ(lines.first(), dataFileLine(1, QStringLiteral("A；B"), c.rows().number(1)));
    c.LoadDataList(list);
    EXPECT_EQ(c.rows().title(1), QStringLiteral("A；B"));
    EXPECT_EQ(c.rows().number(1), dataFileLines(c.rows()).first().section(u';', 2, 2));

    // A number that came in by another way is still never split by a save.
    DataList rows;
    rows.setNumber(1, QStringLiteral("1;2"));
    EXPECT_EQ(dataFileLines(rows).first(), QStringLiteral("[DATA_LIST]=1;;1；2;"));
}

// The style change check compares in memory: a link planted at the old comparison
// copy's name is never written through, and no copy is left in conf.
TEST(WindowFiles, TheStyleChangeCheckWritesNoFile)
{
    QTemporaryDir home, other;
    const QString data = home.path() + QStringLiteral("/data");
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    AppController c(dialogs, desktop, data, QStringLiteral(KORBENA_SOURCE_DIR "/resources"));
    c.setScreenDpi(96, 96);
    c.prepare();
    c.startupLoad();
    const QString victim = other.filePath(QStringLiteral("victim"));
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    const QString copy = data + QStringLiteral("/conf/tempstyle.sle");
    ASSERT_TRUE(QFile::link(victim, copy));

    c.closeSequence(); // the loaded style and list, unchanged: no question
    dialogs.expectDone();
    LabelStyle changed = c.style();
    changed.sheet.across = 2;
    c.setStyle(changed);
    dialogs.expectConfirm("スタイルが変更されました。保存しますか？", false);
    c.closeSequence();
    dialogs.expectDone();
    EXPECT_EQ(fileBytes(victim), QByteArray("keep me"));
    EXPECT_EQ(QFileInfo(copy).symLinkTarget(), victim);

    // In memory, the check sees what the file round trip saw: characters outside the
    // code page come back as "?" on both sides.
    ChangeTracking tracking;
    LabelStyle style;
    style.title.fontName = QStringLiteral("明朝€");
    const QString path = other.filePath(QStringLiteral("a.kbz"));
    WriteStyleFile(path, style);
    tracking.styleLoaded(readStyleFile(path));
    EXPECT_FALSE(tracking.StyleChanged(style));
    style.title.secondLineY = 4;
    EXPECT_TRUE(tracking.StyleChanged(style));
}

} // namespace
} // namespace korbena::test
