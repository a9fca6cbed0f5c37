#include "document/GridEditing.h"

#include "TestSupport.h"
#include "document/DataList.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// A grid of `rowCount` rows whose data rows are titled "t1", "t2", ... and
// numbered "n1", "n2", ...
DataList numberedGrid(int rowCount)
{
    DataList grid;
    grid.SetRowCount(rowCount);
    for (int row = 1; row < rowCount; ++row) {
        grid.setTitle(row, QStringLiteral("t%1").arg(row));
        grid.setNumber(row, QStringLiteral("n%1").arg(row));
    }
    return grid;
}

QStringList titles(const DataList& grid, int from, int to)
{
    QStringList list;
    for (int row = from; row <= to; ++row)
        list.append(grid.title(row));
    return list;
}

// --- the model ---

TEST(DataListModel, StartsWithNinetyRowsOfEmptyCellsUnderTheHeader)
{
    DataList grid;
    EXPECT_EQ(grid.RowCount(), 90);
    EXPECT_EQ(grid.title(0), QStringLiteral("文字列"));
    EXPECT_EQ(grid.number(0), QStringLiteral("バーコード番号"));
    EXPECT_TRUE(grid.title(1).isEmpty());
    EXPECT_TRUE(grid.number(500).isEmpty());
    EXPECT_TRUE(grid.title(-1).isEmpty());
}

TEST(DataListModel, HiddenRowsKeepTheirTextAndCanBeWritten)
{
    DataList grid = numberedGrid(10);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.title(7), QStringLiteral("t7"));
    grid.setNumber(12, QStringLiteral("hidden"));
    grid.SetRowCount(13);
    EXPECT_EQ(grid.title(9), QStringLiteral("t9"));
    EXPECT_EQ(grid.number(12), QStringLiteral("hidden"));
}

TEST(DataListModel, SizeHasBoundsOfItsOwn)
{
    DataList grid;
    try {
        grid.SetRowCount(DataList::kMaxRowCount + 1LL);
        FAIL() << "an oversized grid was accepted";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("グリッドが大きすぎます"));
    }
    EXPECT_EQ(grid.RowCount(), 90);
    grid.SetRowCount(DataList::kMaxRowCount);
    EXPECT_EQ(grid.RowCount(), DataList::kMaxRowCount);
    grid.SetRowCount(-3);
    EXPECT_EQ(grid.RowCount(), 2); // the header and one data row
}

TEST(DataListModel, HeaderAndRowsOutsideTheGridIgnoreWrites)
{
    DataList grid;
    grid.setTitle(0, QStringLiteral("x"));
    grid.setNumber(-4, QStringLiteral("x"));
    grid.setTitle(DataList::kMaxRowCount, QStringLiteral("x"));
    EXPECT_EQ(grid.title(0), QStringLiteral("文字列"));
    EXPECT_TRUE(grid.number(-4).isEmpty());
    EXPECT_TRUE(grid.title(DataList::kMaxRowCount).isEmpty());
    EXPECT_EQ(grid.storedRows(), 0u);
}

TEST(DataListModel, LineBreaksInACellBecomeBlanks)
{
    DataList grid;
    grid.setTitle(1, QStringLiteral("a\r\nb\nc\rd"));
    EXPECT_EQ(grid.title(1), QStringLiteral("a  b c d"));
}

// --- InsertBlankRows ---

TEST(InsertBlankRows, SelectionOfThreeRowsInsertsThreeAboveIt)
{
    DataList grid = numberedGrid(10);
    InsertBlankRows(grid, 3, 3);
    EXPECT_EQ(grid.RowCount(), 13);
    EXPECT_EQ(titles(grid, 1, 12),
              QStringList({"t1", "t2", "", "", "", "t3", "t4", "t5", "t6", "t7", "t8", "t9"}));
    EXPECT_TRUE(grid.number(4).isEmpty());
    EXPECT_EQ(grid.number(6), QStringLiteral("n3"));
}

TEST(InsertBlankRows, HiddenRowsBelowTheMovedOnesStay)
{
    DataList grid = numberedGrid(6); // rows 1..5 shown
    grid.setTitle(6, QStringLiteral("h6"));
    grid.setTitle(7, QStringLiteral("h7"));
    grid.setTitle(8, QStringLiteral("h8"));
    InsertBlankRows(grid, 2, 2);
    EXPECT_EQ(grid.RowCount(), 8);
    // Old rows 2..5 moved to 4..7; old hidden rows 6 and 7 are covered; 8 stays.
    EXPECT_EQ(titles(grid, 1, 8), QStringList({"t1", "", "", "t2", "t3", "t4", "t5", "h8"}));
}

TEST(InsertBlankRows, NothingHappensForNoRowsOrAboveTheDataRows)
{
    DataList grid = numberedGrid(5);
    InsertBlankRows(grid, 2, 0);
    InsertBlankRows(grid, 2, -1);
    InsertBlankRows(grid, 0, 1);
    InsertBlankRows(grid, -1, 1);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(titles(grid, 0, 4), QStringList({"文字列", "t1", "t2", "t3", "t4"}));
}

TEST(InsertBlankRows, TooManyRowsChangeNothing)
{
    DataList grid = numberedGrid(5);
    EXPECT_THROW(InsertBlankRows(grid, 2, DataList::kMaxRowCount), Error);
    EXPECT_THROW(InsertBlankRowsRepeated(grid, 1, 4, 1LL << 40), Error);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.title(2), QStringLiteral("t2"));
}

TEST(InsertBlankRows, RepeatedForEachTimeTheSelectionSpans)
{
    DataList grid = numberedGrid(6);
    InsertBlankRowsRepeated(grid, 2, 3, 2); // two rows selected, 2 entered
    EXPECT_EQ(grid.RowCount(), 10);
    EXPECT_EQ(titles(grid, 1, 9), QStringList({"t1", "", "", "", "", "t2", "t3", "t4", "t5"}));
    InsertBlankRowsRepeated(grid, 2, 3, -2); // a negative count inserts nothing
    EXPECT_EQ(grid.RowCount(), 10);
}

// --- DeleteRowRange ---

TEST(DeleteRowRange, RowsBelowMoveUpAndTheOldLastRowStaysHidden)
{
    DataList grid = numberedGrid(8); // rows 1..7
    DeleteRowRange(grid, 4, 2);      // either order
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(titles(grid, 1, 4), QStringList({"t1", "t5", "t6", "t7"}));
    EXPECT_EQ(grid.number(2), QStringLiteral("n5"));

    // Deleting one row and adding one brings back the text of the row that was
    // last before the deletion.
    DataList other = numberedGrid(8);
    DeleteRowRange(other, 3, 3);
    EXPECT_EQ(other.RowCount(), 7);
    EXPECT_EQ(other.title(6), QStringLiteral("t7"));
    AppendRows(other, 1);
    EXPECT_EQ(other.title(7), QStringLiteral("t7"));
}

TEST(DeleteRowRange, DeletingEveryDataRowLeavesOneEmptyRow)
{
    DataList grid = numberedGrid(6);
    DeleteRowRange(grid, 1, 5);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.title(1).isEmpty());
    EXPECT_TRUE(grid.number(1).isEmpty());

    DataList single = numberedGrid(2);
    DeleteRowRange(single, 1, 1);
    EXPECT_EQ(single.RowCount(), 2);
    EXPECT_TRUE(single.title(1).isEmpty());
}

TEST(DeleteRowRange, RangesAreCutToTheDataRows)
{
    DataList grid = numberedGrid(6);
    DeleteRowRange(grid, 4, 99); // the end is cut to the last row
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(titles(grid, 1, 3), QStringList({"t1", "t2", "t3"}));

    DeleteRowRange(grid, 0, 1); // the header is never deleted
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(titles(grid, 0, 2), QStringList({"文字列", "t2", "t3"}));

    DeleteRowRange(grid, 3, 7); // starts past the last data row
    DeleteRowRange(grid, -5, -3);
    DeleteRowRange(grid, -3, 0);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(titles(grid, 0, 2), QStringList({"文字列", "t2", "t3"}));
}

// --- clearing and appending ---

TEST(ClearAllCells, EmptiesShownRowsOnly)
{
    DataList grid = numberedGrid(10);
    grid.SetRowCount(5);
    ClearAllCells(grid);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(titles(grid, 1, 4), QStringList({"", "", "", ""}));
    EXPECT_TRUE(grid.number(4).isEmpty());
    EXPECT_EQ(grid.title(5), QStringLiteral("t5"));
    EXPECT_EQ(grid.title(0), QStringLiteral("文字列"));
}

TEST(AppendRows, GrowsAndShrinksWithinTheBounds)
{
    DataList grid;
    AppendRows(grid, 10);
    EXPECT_EQ(grid.RowCount(), 100);
    AppendRows(grid, -95);
    EXPECT_EQ(grid.RowCount(), 5);
    AppendRows(grid, -1000);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_THROW(AppendRows(grid, DataList::kMaxRowCount), Error);
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST(AppendRows, CountTextIsAnIntegerOrZero)
{
    EXPECT_EQ(RowCountFromText(u"12"), 12);
    EXPECT_EQ(RowCountFromText(u"-3"), -3);
    EXPECT_EQ(RowCountFromText(u""), 0);
    EXPECT_EQ(RowCountFromText(u"abc"), 0);
    EXPECT_EQ(RowCountFromText(u"2.5"), 0);
    EXPECT_EQ(RowCountFromText(u"99999999999"), 0);
}

// --- filling ---

TEST(FillTitles, EveryRowFromTheTopToTheLastGetsTheTitle)
{
    DataList grid = numberedGrid(6);
    grid.setTitle(4, QString());
    FillTitles(grid, 3, QStringLiteral("T"));
    EXPECT_EQ(titles(grid, 1, 6), QStringList({"t1", "t2", "T", "T", "T", ""}));
}

TEST(FillNumbers, StopsAtTheFirstUntitledRow)
{
    DataList grid = numberedGrid(8);
    grid.setTitle(5, QString());
    FillNumbers(grid, 2, QStringLiteral("N"));
    EXPECT_EQ(grid.number(1), QStringLiteral("n1"));
    EXPECT_EQ(grid.number(2), QStringLiteral("N"));
    EXPECT_EQ(grid.number(4), QStringLiteral("N"));
    EXPECT_EQ(grid.number(5), QStringLiteral("n5"));
    EXPECT_EQ(grid.number(6), QStringLiteral("n6"));

    FillNumbers(grid, 5, QStringLiteral("M")); // the top row is untitled
    EXPECT_EQ(grid.number(5), QStringLiteral("n5"));
    EXPECT_EQ(grid.number(6), QStringLiteral("n6"));
}

TEST(FillNumbers, HiddenRowsAreNotFilled)
{
    DataList grid = numberedGrid(8);
    grid.SetRowCount(4);
    FillNumbers(grid, 1, QStringLiteral("N"));
    FillTitles(grid, 1, QStringLiteral("T"));
    EXPECT_EQ(grid.number(3), QStringLiteral("N"));
    EXPECT_EQ(grid.number(4), QStringLiteral("n4"));
    EXPECT_EQ(grid.title(4), QStringLiteral("t4"));
}

} // namespace
} // namespace korbena
