#include "document/ChangeTracking.h"

#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "document/DataFile.h"
#include "document/GridEditing.h"
#include "document/ValueText.h"
#include "platform/Error.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

QStringList fileOfRows(int count)
{
    QStringList lines;
    for (int row = 1; row <= count; ++row)
        lines.append(QStringLiteral("[DATA_LIST]=%1;t%1;n%1;").arg(row));
    return lines;
}

// The grid and the change tracking as a data load leaves them.
struct Loaded
{
    DataList grid;
    ChangeTracking tracking;

    explicit Loaded(const QStringList& lines)
    {
        tracking.dataListLoaded(lines);
        applyDataLines(lines, grid, QStringLiteral("test.lst"));
    }
};

// --- undo ---

TEST(Undo, AnEditFollowedByARedrawCanBeUndoneAndRedone)
{
    Loaded doc(fileOfRows(90));
    doc.tracking.TakeDataSnapshot(doc.grid); // the redraw after loading
    EXPECT_FALSE(doc.tracking.undoEnabled());

    doc.grid.setTitle(2, QStringLiteral("typed"));
    doc.tracking.TakeDataSnapshot(doc.grid); // Enter redraws
    EXPECT_TRUE(doc.tracking.undoEnabled());

    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.title(2), QStringLiteral("t2"));
    EXPECT_FALSE(doc.tracking.undoEnabled());
    doc.tracking.TakeDataSnapshot(doc.grid); // the undo command redraws
    EXPECT_TRUE(doc.tracking.undoEnabled());

    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.title(2), QStringLiteral("typed"));
}

TEST(Undo, ARedrawWithoutAChangeDisablesUndo)
{
    Loaded doc(fileOfRows(89));
    doc.tracking.TakeDataSnapshot(doc.grid);
    doc.grid.setNumber(1, QStringLiteral("x"));
    doc.tracking.TakeDataSnapshot(doc.grid);
    EXPECT_TRUE(doc.tracking.undoEnabled());
    doc.tracking.TakeDataSnapshot(doc.grid); // a zoom change, a repaint
    EXPECT_FALSE(doc.tracking.undoEnabled());
}

TEST(Undo, SnapshotsHaveTheDataFileForm)
{
    Loaded doc({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=2;;;"});
    doc.grid.SetRowCount(3);
    doc.tracking.TakeDataSnapshot(doc.grid);
    EXPECT_EQ(doc.tracking.lastdata(), QStringList({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=2;;;"}));
    EXPECT_EQ(doc.tracking.undodata(),
              QStringList({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=2;;;", "[DATA_LIST]=3;;;"}));
}

TEST(Undo, RestoringNeverShrinksTheGrid)
{
    Loaded doc(fileOfRows(9));
    doc.tracking.TakeDataSnapshot(doc.grid);
    AppendRows(doc.grid, 5);
    doc.grid.setTitle(93, QStringLiteral("added"));
    doc.grid.setTitle(5, QStringLiteral("edited"));
    doc.tracking.TakeDataSnapshot(doc.grid);
    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.RowCount(), 95);
    EXPECT_EQ(doc.grid.title(93), QStringLiteral("added"));
    EXPECT_EQ(doc.grid.title(5), QStringLiteral("t5"));

    // The previous state had more rows than the grid now: it grows back.
    doc.grid.SetRowCount(20);
    doc.tracking.TakeDataSnapshot(doc.grid);
    doc.grid.SetRowCount(5);
    doc.tracking.TakeDataSnapshot(doc.grid);
    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.RowCount(), 20);
}

TEST(Undo, ABadLineOfALoadedFileStopsTheRestoreKeepingTheRowsBefore)
{
    DataList grid;
    ChangeTracking tracking;
    tracking.dataListLoaded({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=x;b;2;", "[DATA_LIST]=3;c;3;"});
    tracking.TakeDataSnapshot(grid); // the previous state is now the file's lines
    EXPECT_THROW(tracking.RestoreDataSnapshot(grid), ConversionError);
    EXPECT_EQ(grid.title(1), QStringLiteral("a"));
    EXPECT_TRUE(grid.title(3).isEmpty());
}

TEST(Undo, UndoStateIsSetFromOutside)
{
    ChangeTracking tracking;
    EXPECT_FALSE(tracking.undoEnabled());
    tracking.setUndoEnabled(true); // the CSV import
    EXPECT_TRUE(tracking.undoEnabled());
    tracking.setUndoEnabled(false); // the end of start-up
    EXPECT_FALSE(tracking.undoEnabled());
}

// --- the data change check ---

TEST(DataChanged, AShortFileCountsAsChangedFromTheFirstRedraw)
{
    Loaded doc(fileOfRows(20));
    EXPECT_FALSE(doc.tracking.DataChanged());
    doc.tracking.TakeDataSnapshot(doc.grid); // 90 lines now, 20 in the file
    EXPECT_TRUE(doc.tracking.DataChanged());
}

TEST(DataChanged, AGridLikeTheFileIsUnchangedUntilEdited)
{
    Loaded doc(fileOfRows(90));
    doc.tracking.TakeDataSnapshot(doc.grid);
    EXPECT_FALSE(doc.tracking.DataChanged());
    doc.grid.setTitle(90, QStringLiteral("hidden edit")); // the row written last
    doc.tracking.TakeDataSnapshot(doc.grid);
    EXPECT_TRUE(doc.tracking.DataChanged());
    doc.grid.setTitle(90, QStringLiteral("t90"));
    doc.tracking.TakeDataSnapshot(doc.grid);
    EXPECT_FALSE(doc.tracking.DataChanged());
}

// --- the style change check ---

TEST(StyleChanged, AStyleLoadedFromTheWritersFileIsUnchanged)
{
    QTemporaryDir dir;
    const QString stylePath = dir.filePath("a.kbz");
    const QString copy = dir.filePath("tempstyle.sle");
    LabelStyle style;
    style.TITLE_FONT_NAME = QStringLiteral("明朝€"); // comes back as "?" on both sides
    style.NUM_X = 2.5L;
    WriteStyleFile(stylePath, style);

    ChangeTracking tracking;
    LabelStyle loaded;
    StyleFileExtras extras;
    const QStringList lines = readStyleFile(stylePath);
    tracking.styleLoaded(lines);
    applyStyleLines(lines, loaded, extras, stylePath);
    EXPECT_FALSE(tracking.StyleChanged(loaded, copy));
    EXPECT_EQ(tracking.undostyle(), lines);
    EXPECT_TRUE(QFile::exists(copy)); // left on disk

    loaded.SUB_Y = 4;
    EXPECT_TRUE(tracking.StyleChanged(loaded, copy));
}

TEST(StyleChanged, AFileTheWriterWouldWriteDifferentlyCountsAsChanged)
{
    QTemporaryDir dir;
    ChangeTracking tracking;
    QStringList lines = styleFileLines(LabelStyle{});
    lines.swapItemsAt(3, 4); // other key order
    tracking.styleLoaded(lines);
    EXPECT_TRUE(tracking.StyleChanged(LabelStyle{}, dir.filePath("tempstyle.sle")));
    tracking.styleLoaded(styleFileLines(LabelStyle{}) << QStringLiteral("[WINDOW_TOP]=3"));
    EXPECT_TRUE(tracking.StyleChanged(LabelStyle{}, dir.filePath("tempstyle.sle")));
    tracking.styleLoaded(styleFileLines(LabelStyle{}));
    EXPECT_FALSE(tracking.StyleChanged(LabelStyle{}, dir.filePath("tempstyle.sle")));
}

TEST(StyleChanged, WithNoStyleLoadedTheStyleAlwaysCountsAsChanged)
{
    QTemporaryDir dir;
    ChangeTracking tracking;
    EXPECT_TRUE(tracking.StyleChanged(LabelStyle{}, dir.filePath("tempstyle.sle")));
}

TEST(StyleChanged, AnUnwritableComparisonCopyIsAFileError)
{
    QTemporaryDir dir;
    ChangeTracking tracking;
    EXPECT_THROW(tracking.StyleChanged(LabelStyle{}, dir.filePath("no/such/folder/tempstyle.sle")),
                 FileError);
}

} // namespace
} // namespace korbena
