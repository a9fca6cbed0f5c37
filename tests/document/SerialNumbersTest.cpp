#include "document/SerialNumbers.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace korbena {
namespace {

DataList titledRows(int titled, int rowCount = 90)
{
    DataList grid;
    grid.SetRowCount(rowCount);
    for (int row = 1; row <= titled; ++row) {
        grid.setTitle(row, QStringLiteral("t%1").arg(row));
        grid.setNumber(row, QStringLiteral("old%1").arg(row));
    }
    return grid;
}

TEST(SerializeRows, InitialDialogValuesNumberTheTitledRowsUpToTheFirstUntitled)
{
    DataList grid = titledRows(3);
    grid.setNumber(4, QStringLiteral("untitled"));
    grid.setTitle(5, QStringLiteral("below the gap"));
    SerializeRows(grid, 1, SerialSettings{});
    EXPECT_EQ(grid.number(1), QStringLiteral("00100001-01"));
    EXPECT_EQ(grid.number(3), QStringLiteral("00100003-01"));
    EXPECT_EQ(grid.number(4), QStringLiteral("untitled"));
    EXPECT_TRUE(grid.number(5).isEmpty());

    grid.setTitle(2, QString());
    SerializeRows(grid, 2, SerialSettings{}); // an untitled top row numbers nothing
    EXPECT_EQ(grid.number(3), QStringLiteral("00100003-01"));
}

TEST(SerializeRows, NumbersLongerThanTheWidthLeaveTheirRowAndTheCountGoesOn)
{
    DataList grid = titledRows(3);
    SerializeRows(grid, 1, SerialSettings{"001", "-01", 9998, 4}); // "4桁"
    EXPECT_EQ(grid.number(2), QStringLiteral("0019999-01"));
    EXPECT_EQ(grid.number(3), QStringLiteral("old3")); // 10000 has five characters

    grid = titledRows(3);
    SerializeRows(grid, 1, SerialSettings{"", "", -10, 2}); // -10 is three characters
    EXPECT_EQ(grid.number(1), QStringLiteral("old1"));
    EXPECT_EQ(grid.number(2), QStringLiteral("-9"));
}

TEST(SerializeRows, TheWidthIsTheButtonsNumberOfCharacters)
{
    DataList grid = titledRows(1);
    SerializeRows(grid, 1, SerialSettings{"H", "F", 1, 9}); // "9桁"
    EXPECT_EQ(grid.number(1), QStringLiteral("H000000001F"));
    SerializeRows(grid, 1, SerialSettings{"H", "F", 2, 0}); // "桁調整なし": no zeros
    EXPECT_EQ(grid.number(1), QStringLiteral("H2F"));
    SerializeRows(grid, 1, SerialSettings{"", "", -5, 3}); // the sign is a character
    EXPECT_EQ(grid.number(1), QStringLiteral("0-5"));
}

TEST(SerializeRows, FromTheTopRowToTheLastDataRowOnly)
{
    DataList grid = titledRows(10, 6); // rows 6.. titled but hidden
    SerializeRows(grid, 3, SerialSettings{"", "", 7, 1});
    EXPECT_EQ(grid.number(2), QStringLiteral("old2"));
    EXPECT_EQ(grid.number(3), QStringLiteral("7"));
    EXPECT_EQ(grid.number(5), QStringLiteral("9"));
    EXPECT_EQ(grid.number(6), QStringLiteral("old6"));
    SerializeRows(grid, 0, SerialSettings{}); // the header is no data row
    EXPECT_EQ(grid.number(0), QStringLiteral("バーコード番号"));
    EXPECT_EQ(grid.number(1), QStringLiteral("old1"));
}

TEST(SerializeRows, SixtyFourBitStartsNeitherOverflowNorWrite)
{
    DataList grid = titledRows(3);
    SerializeRows(grid, 1, SerialSettings{"", "", std::numeric_limits<std::int64_t>::max() - 1, 9});
    SerializeRows(grid, 1, SerialSettings{"", "", std::numeric_limits<std::int64_t>::min(), 9});
    EXPECT_EQ(grid.number(3), QStringLiteral("old3"));
}

} // namespace
} // namespace korbena
