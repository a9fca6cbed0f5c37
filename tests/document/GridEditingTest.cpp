#include "document/GridEditing.h"

#include "TestSupport.h"
#include "document/DataList.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// A grid of `rowCount` rows whose rows, hidden ones up to `filled` too, are titled
// "t1", "t2", ... and numbered "n1", "n2", ...
DataList numberedGrid(int rowCount, int filled = 0)
{
    DataList grid;
    grid.SetRowCount(rowCount);
    for (int row = 1; row < std::max(rowCount, filled + 1); ++row) {
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

TEST(DataListModel, NinetyRowsAtStartAndHiddenRowsKeepTheirText)
{
    DataList grid;
    EXPECT_EQ(grid.RowCount(), 90);
    EXPECT_EQ(titles(grid, 0, 1), QStringList({"文字列", ""}));
    EXPECT_EQ(grid.number(0), QStringLiteral("バーコード番号"));

    grid = numberedGrid(10);
    grid.SetRowCount(5);
    grid.setNumber(12, QStringLiteral("hidden"));
    grid.SetRowCount(13);
    EXPECT_EQ(grid.title(9), QStringLiteral("t9"));
    EXPECT_EQ(grid.number(12), QStringLiteral("hidden"));
}

TEST(DataListModel, BoundsOfItsOwn)
{
    DataList grid;
    try {
        grid.SetRowCount(DataList::kMaxRowCount + 1LL);
        FAIL() << "an oversized grid was accepted";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("グリッドが大きすぎます"));
    }
    EXPECT_EQ(grid.RowCount(), 90);
    grid.SetRowCount(-3);
    EXPECT_EQ(grid.RowCount(), 2); // the header and one data row

    // The header's captions and rows outside the grid take no text.
    grid.setTitle(0, QStringLiteral("x"));
    grid.setNumber(-4, QStringLiteral("x"));
    grid.setTitle(DataList::kMaxRowCount, QStringLiteral("x"));
    EXPECT_EQ(grid.title(0), QStringLiteral("文字列"));
    EXPECT_EQ(grid.storedRows(), 0u);
    // A line break would split the cell's line of the data file.
    grid.setTitle(1, QStringLiteral("a\r\nb\nc"));
    EXPECT_EQ(grid.title(1), QStringLiteral("a  b c"));
}

// --- InsertBlankRows ---

TEST(InsertBlankRows, ASelectionOfThreeRowsInsertsThreeAboveIt)
{
    DataList grid = numberedGrid(10);
    InsertBlankRows(grid, 3, 3);
    EXPECT_EQ(grid.RowCount(), 13);
    EXPECT_EQ(titles(grid, 1, 12),
              QStringList({"t1", "t2", "", "", "", "t3", "t4", "t5", "t6", "t7", "t8", "t9"}));
    EXPECT_EQ(grid.number(6), QStringLiteral("n3"));
    EXPECT_TRUE(grid.number(4).isEmpty());

    // Two rows selected and 2 entered: four rows.
    InsertBlankRowsRepeated(grid, 1, 2, 2);
    EXPECT_EQ(grid.RowCount(), 17);
    EXPECT_EQ(titles(grid, 1, 6), QStringList({"", "", "", "", "t1", "t2"}));
}

TEST(InsertBlankRows, HiddenRowsBelowTheMovedOnesStay)
{
    DataList grid = numberedGrid(6, 8); // rows 1..5 shown, 6..8 hidden
    InsertBlankRows(grid, 2, 2);
    EXPECT_EQ(grid.RowCount(), 8);
    // Old rows 2..5 moved to 4..7 over the hidden 6 and 7; hidden row 8 stays.
    EXPECT_EQ(titles(grid, 1, 8), QStringList({"t1", "", "", "t2", "t3", "t4", "t5", "t8"}));
}

TEST(InsertBlankRows, NothingHappensForNoRowsTheHeaderOrTooManyRows)
{
    DataList grid = numberedGrid(5);
    InsertBlankRows(grid, 2, 0);
    InsertBlankRows(grid, 0, 1);
    InsertBlankRowsRepeated(grid, 2, 3, -2);
    EXPECT_THROW(InsertBlankRows(grid, 2, DataList::kMaxRowCount), Error);
    EXPECT_THROW(InsertBlankRowsRepeated(grid, 1, 4, 1LL << 40), Error);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(titles(grid, 0, 4), QStringList({"文字列", "t1", "t2", "t3", "t4"}));
}

// --- DeleteRowRange ---

TEST(DeleteRowRange, RowsBelowMoveUpAndTheOldLastRowStaysHidden)
{
    DataList grid = numberedGrid(8); // rows 1..7
    DeleteRowRange(grid, 4, 2);      // either order
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(titles(grid, 1, 4), QStringList({"t1", "t5", "t6", "t7"}));
    EXPECT_EQ(grid.number(2), QStringLiteral("n5"));

    // Deleting one row and adding one brings back the row that was last.
    grid = numberedGrid(8);
    DeleteRowRange(grid, 3, 3);
    AppendRows(grid, 1);
    EXPECT_EQ(titles(grid, 5, 7), QStringList({"t6", "t7", "t7"}));
}

TEST(DeleteRowRange, DeletingEveryDataRowLeavesOneEmptyRow)
{
    DataList grid = numberedGrid(6);
    DeleteRowRange(grid, 1, 5);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.dataRow(1), (DataRow{1, "", ""}));

    grid = numberedGrid(2);
    DeleteRowRange(grid, 1, 1);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.title(1).isEmpty());
}

TEST(DeleteRowRange, RangesAreCutToTheDataRows)
{
    DataList grid = numberedGrid(6);
    DeleteRowRange(grid, 4, 99);
    EXPECT_EQ(grid.RowCount(), 4);
    DeleteRowRange(grid, 0, 1); // the header is never deleted
    EXPECT_EQ(grid.RowCount(), 3);
    DeleteRowRange(grid, 3, 7); // starts past the last data row
    DeleteRowRange(grid, -5, -3);
    DeleteRowRange(grid, -3, 0);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(titles(grid, 0, 2), QStringList({"文字列", "t2", "t3"}));
}

// --- clearing, appending, filling ---

TEST(ClearAllCells, EmptiesShownRowsOnly)
{
    DataList grid = numberedGrid(5, 6);
    ClearAllCells(grid);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(titles(grid, 0, 6), QStringList({"文字列", "", "", "", "", "t5", "t6"}));
    EXPECT_TRUE(grid.number(4).isEmpty());
}

TEST(AppendRows, GrowsAndShrinksWithinTheBounds)
{
    DataList grid;
    AppendRows(grid, 10);
    EXPECT_EQ(grid.RowCount(), 100);
    AppendRows(grid, -1000);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_THROW(AppendRows(grid, DataList::kMaxRowCount), Error);
    EXPECT_EQ(grid.RowCount(), 2);

    EXPECT_EQ(RowCountFromText(u"-3"), -3);
    for (const char16_t* text : {u"", u"abc", u"2.5", u"99999999999"})
        EXPECT_EQ(RowCountFromText(text), 0);
}

TEST(FillTitlesAndNumbers, TitlesGoToEveryRowNumbersStopAtTheFirstUntitled)
{
    DataList grid = numberedGrid(8, 9);
    grid.setTitle(5, QString());
    FillNumbers(grid, 2, QStringLiteral("N"));
    EXPECT_EQ(grid.number(1), QStringLiteral("n1"));
    EXPECT_EQ(grid.number(4), QStringLiteral("N"));
    EXPECT_EQ(grid.number(6), QStringLiteral("n6"));
    FillNumbers(grid, 5, QStringLiteral("M")); // the top row is untitled
    EXPECT_EQ(grid.number(6), QStringLiteral("n6"));

    FillTitles(grid, 3, QStringLiteral("T"));
    EXPECT_EQ(titles(grid, 1, 8), QStringList({"t1", "t2", "T", "T", "T", "T", "T", "t8"}));
}

} // namespace
} // namespace korbena
