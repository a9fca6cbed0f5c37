#include "document/ChangeTracking.h"

#include "TestSupport.h"
#include "document/CsvImport.h"
#include "document/DataFile.h"
#include "document/GridEditing.h"
#include "document/ValueText.h"
#include "platform/Error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

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
    void redraw() { tracking.TakeDataSnapshot(grid); }
};

// --- undo ---

TEST(Undo, AnEditFollowedByARedrawCanBeUndoneAndRedone)
{
    Loaded doc(fileOfRows(90));
    doc.redraw();
    EXPECT_FALSE(doc.tracking.undoEnabled());

    doc.grid.setTitle(2, QStringLiteral("typed"));
    doc.redraw(); // Enter redraws
    EXPECT_TRUE(doc.tracking.undoEnabled());
    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.title(2), QStringLiteral("t2"));
    EXPECT_FALSE(doc.tracking.undoEnabled());
    doc.redraw(); // the undo command redraws
    EXPECT_TRUE(doc.tracking.undoEnabled());
    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.title(2), QStringLiteral("typed"));

    doc.redraw();
    doc.redraw(); // a redraw without a change: a zoom, a repaint
    EXPECT_FALSE(doc.tracking.undoEnabled());
}

TEST(Undo, SnapshotsHaveTheDataFileForm)
{
    Loaded doc({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=2;;;"});
    doc.grid.SetRowCount(3);
    doc.redraw();
    EXPECT_EQ(doc.tracking.lastdata(), QStringList({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=2;;;"}));
    EXPECT_EQ(doc.tracking.undodata(),
              QStringList({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=2;;;", "[DATA_LIST]=3;;;"}));
}

TEST(Undo, RestoringNeverShrinksTheGrid)
{
    Loaded doc(fileOfRows(9));
    doc.redraw();
    AppendRows(doc.grid, 5);
    doc.grid.setTitle(93, QStringLiteral("added"));
    doc.grid.setTitle(5, QStringLiteral("edited"));
    doc.redraw();
    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.RowCount(), 95);
    EXPECT_EQ(doc.grid.title(93), QStringLiteral("added"));
    EXPECT_EQ(doc.grid.title(5), QStringLiteral("t5"));

    // The earlier state had more rows than the grid now: it grows back.
    doc.grid.SetRowCount(20);
    doc.redraw();
    doc.grid.SetRowCount(5);
    doc.redraw();
    doc.tracking.RestoreDataSnapshot(doc.grid);
    EXPECT_EQ(doc.grid.RowCount(), 20);
}

TEST(Undo, ABadLineOfALoadedFileStopsTheRestoreKeepingTheRowsBefore)
{
    DataList grid;
    ChangeTracking tracking;
    tracking.dataListLoaded({"[DATA_LIST]=1;a;1;", "[DATA_LIST]=x;b;2;", "[DATA_LIST]=3;c;3;"});
    tracking.TakeDataSnapshot(grid); // the earlier state is now the file's lines
    EXPECT_THROW(tracking.RestoreDataSnapshot(grid), ConversionError);
    EXPECT_EQ(grid.title(1), QStringLiteral("a"));
    EXPECT_TRUE(grid.title(3).isEmpty());
}

// A redraw with no change since the latest snapshot reuses it instead of building
// the grid's lines again; every way of changing the grid must be seen by the next
// snapshot all the same.
TEST(Undo, EveryChangeOfTheGridIsSeenByTheSnapshotAfterIt)
{
    const std::vector<std::pair<const char*, std::function<void(DataList&, ChangeTracking&)>>> changes = {
        {"title", [](DataList& g, ChangeTracking&) { g.setTitle(3, "x"); }},
        {"number", [](DataList& g, ChangeTracking&) { g.setNumber(3, "x"); }},
        {"the hidden row past the end", [](DataList& g, ChangeTracking&) { g.setNumber(g.RowCount(), "x"); }},
        {"clear", [](DataList& g, ChangeTracking&) { g.clearRow(2); }},
        {"move", [](DataList& g, ChangeTracking&) { g.moveRow(2, 5); }},
        {"copy", [](DataList& g, ChangeTracking&) { g.copyRow(2, 5); }},
        {"row count", [](DataList& g, ChangeTracking&) { g.SetRowCount(7); }},
        {"insert", [](DataList& g, ChangeTracking&) { InsertBlankRows(g, 2, 1); }},
        {"delete", [](DataList& g, ChangeTracking&) { DeleteRowRange(g, 2, 3); }},
        {"csv", [](DataList& g, ChangeTracking&) { importCsvLines(g, 2, {"a,b"}, u',', 2); }},
        {"load", [](DataList& g, ChangeTracking&) { applyDataLines({"[DATA_LIST]=4;x;y;"}, g, "a.lst"); }},
        {"undo",
         [](DataList& g, ChangeTracking& t) {
             g.setTitle(1, "x");
             t.TakeDataSnapshot(g);
             t.RestoreDataSnapshot(g);
         }},
        {"replaced by a new list", [](DataList& g, ChangeTracking&) { g = DataList(); }},
        {"copied over by its own earlier copy with a change",
         [](DataList& g, ChangeTracking&) {
             DataList copy = g;
             copy.setTitle(1, "x");
             g = copy;
         }},
        {"moved from",
         [](DataList& g, ChangeTracking&) {
             DataList taken = std::move(g);
             (void)taken;
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Loaded doc(fileOfRows(8));
        doc.redraw();
        doc.redraw();
        ASSERT_TRUE(doc.tracking.undodata().isSharedWith(doc.tracking.lastdata())); // reused
        change(doc.grid, doc.tracking);
        doc.redraw();
        EXPECT_EQ(doc.tracking.undodata(), dataFileLines(doc.grid));
        EXPECT_TRUE(doc.tracking.undoEnabled());
        doc.redraw();
        EXPECT_FALSE(doc.tracking.undoEnabled());
    }
}

TEST(Undo, AGridPutBackAsItWasNeedsNoUndo)
{
    Loaded doc(fileOfRows(8));
    doc.redraw();
    const DataList before = doc.grid;
    doc.grid.setTitle(1, QStringLiteral("x"));
    doc.grid = before;
    doc.redraw();
    EXPECT_FALSE(doc.tracking.undoEnabled());
    doc.grid.setTitle(1, QStringLiteral("x"));
    doc.grid.setTitle(1, QStringLiteral("t1"));
    doc.redraw();
    EXPECT_FALSE(doc.tracking.undoEnabled());
    // A load puts a file's lines in place of the latest snapshot: the next redraw
    // compares with them, even though the grid itself did not change.
    doc.tracking.dataListLoaded(fileOfRows(3));
    doc.redraw();
    EXPECT_TRUE(doc.tracking.undoEnabled());
}

// --- the data change check ---

TEST(DataChanged, AShortFileCountsAsChangedFromTheFirstRedraw)
{
    Loaded doc(fileOfRows(20));
    EXPECT_FALSE(doc.tracking.DataChanged());
    doc.redraw(); // 90 lines now, 20 in the file
    EXPECT_TRUE(doc.tracking.DataChanged());
}

TEST(DataChanged, AGridLikeTheFileIsUnchangedUntilEdited)
{
    Loaded doc(fileOfRows(90));
    doc.redraw();
    EXPECT_FALSE(doc.tracking.DataChanged());
    doc.grid.setTitle(90, QStringLiteral("the hidden row is part of the file"));
    doc.redraw();
    EXPECT_TRUE(doc.tracking.DataChanged());
    doc.grid.setTitle(90, QStringLiteral("t90"));
    doc.redraw();
    EXPECT_FALSE(doc.tracking.DataChanged());
}

// --- the style change check ---

TEST(StyleChanged, AStyleLoadedFromTheWritersFileIsUnchangedUntilEdited)
{
    QTemporaryDir dir;
    const QString stylePath = dir.filePath("a.kbz");
    const QString copy = dir.filePath("tempstyle.sle");
    LabelStyle style;
    style.title.fontName = QStringLiteral("明朝€"); // comes back as "?" on both sides
    style.sheet.across = 2.5L;
    WriteStyleFile(stylePath, style);

    ChangeTracking tracking;
    EXPECT_TRUE(tracking.StyleChanged(style, copy)); // nothing loaded yet
    LabelStyle loaded;
    StyleFileExtras extras;
    const QStringList lines = readStyleFile(stylePath);
    tracking.styleLoaded(lines);
    applyStyleLines(lines, loaded, extras, stylePath);
    EXPECT_FALSE(tracking.StyleChanged(loaded, copy));
    EXPECT_EQ(tracking.undostyle(), lines);
    EXPECT_TRUE(QFile::exists(copy)); // left on disk

    loaded.title.secondLineY = 4;
    EXPECT_TRUE(tracking.StyleChanged(loaded, copy));
}

TEST(StyleChanged, AFileTheWriterWouldWriteDifferentlyCountsAsChanged)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath("tempstyle.sle");
    ChangeTracking tracking;
    QStringList lines = styleFileLines(LabelStyle{});
    lines.swapItemsAt(3, 4);
    tracking.styleLoaded(lines);
    EXPECT_TRUE(tracking.StyleChanged(LabelStyle{}, copy));
    tracking.styleLoaded(styleFileLines(LabelStyle{}) << QStringLiteral("[WINDOW_TOP]=3"));
    EXPECT_TRUE(tracking.StyleChanged(LabelStyle{}, copy));
    EXPECT_THROW(tracking.StyleChanged(LabelStyle{}, dir.filePath("no/folder/tempstyle.sle")), FileError);
}

} // namespace
} // namespace korbena
