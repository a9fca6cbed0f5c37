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

TEST(SerializeRows, InitialDialogValuesNumberTheTitledRows)
{
    DataList grid = titledRows(3);
    grid.setNumber(4, QStringLiteral("untitled"));
    grid.setTitle(5, QStringLiteral("below the gap"));
    SerializeRows(grid, 1, SerialSettings{});
    EXPECT_EQ(grid.number(1), QStringLiteral("0010001-01"));
    EXPECT_EQ(grid.number(2), QStringLiteral("0010002-01"));
    EXPECT_EQ(grid.number(3), QStringLiteral("0010003-01"));
    EXPECT_EQ(grid.number(4), QStringLiteral("untitled"));
    EXPECT_TRUE(grid.number(5).isEmpty());
}

TEST(SerializeRows, NumbersLongerThanTheWidthLeaveTheirRowAndTheCountGoesOn)
{
    SerialSettings settings;
    settings.start = 9998;
    DataList grid = titledRows(3);
    SerializeRows(grid, 1, settings); // "5桁", k = 4
    EXPECT_EQ(grid.number(1), QStringLiteral("0019998-01"));
    EXPECT_EQ(grid.number(2), QStringLiteral("0019999-01"));
    EXPECT_EQ(grid.number(3), QStringLiteral("old3")); // 10000 has five characters

    // -10 does not fit two characters; the next row is still counted as -9.
    settings = SerialSettings{QString(), QString(), -10, 2};
    grid = titledRows(3);
    SerializeRows(grid, 1, settings);
    EXPECT_EQ(grid.number(1), QStringLiteral("old1"));
    EXPECT_EQ(grid.number(2), QStringLiteral("-9"));
    EXPECT_EQ(grid.number(3), QStringLiteral("-8"));
}

TEST(SerializeRows, WidthIsTheButtonIndex)
{
    DataList grid = titledRows(1);
    SerializeRows(grid, 1, SerialSettings{"H", "F", 1, 9}); // "10桁"
    EXPECT_EQ(grid.number(1), QStringLiteral("H000000001F"));

    SerializeRows(grid, 1, SerialSettings{"H", "F", 1, 0}); // "桁調整なし" writes nothing
    EXPECT_EQ(grid.number(1), QStringLiteral("H000000001F"));

    SerializeRows(grid, 1, SerialSettings{"", "", -5, 3}); // the sign is a character
    EXPECT_EQ(grid.number(1), QStringLiteral("0-5"));
}

TEST(SerializeRows, StartsAtTheTopRowAndStopsAtTheLastDataRow)
{
    DataList grid = titledRows(10, 6); // rows 6.. titled but hidden
    SerializeRows(grid, 3, SerialSettings{"", "", 7, 1});
    EXPECT_EQ(grid.number(2), QStringLiteral("old2"));
    EXPECT_EQ(grid.number(3), QStringLiteral("7"));
    EXPECT_EQ(grid.number(5), QStringLiteral("9"));
    EXPECT_EQ(grid.number(6), QStringLiteral("old6"));
}

TEST(SerializeRows, AnUntitledTopRowNumbersNothing)
{
    DataList grid = titledRows(5);
    grid.setTitle(2, QString());
    SerializeRows(grid, 2, SerialSettings{});
    EXPECT_EQ(grid.number(2), QStringLiteral("old2"));
    EXPECT_EQ(grid.number(3), QStringLiteral("old3"));
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
    EXPECT_EQ(serialNumberText(SerialSettings{"", "", 0, 9}, 123456789).value_or("none"),
              QStringLiteral("123456789"));
    EXPECT_FALSE(serialNumberText(SerialSettings{"", "", 0, 9}, 1234567890).has_value());
}

} // namespace
} // namespace korbena
