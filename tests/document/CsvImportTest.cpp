#include "document/CsvImport.h"

#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "platform/Error.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

TEST(SplitField, TakesTheNthFieldOrTheLastOne)
{
    EXPECT_EQ(SplitField(u"A,B", u',', 2), u"B");
    EXPECT_EQ(SplitField(u"A,B,C", u',', 2), u"B");
    EXPECT_EQ(SplitField(u"A", u',', 2), u"A");
    EXPECT_EQ(SplitField(u"A,B,", u',', 3), u"");
    EXPECT_EQ(SplitField(u"A,B,C", u',', 9), u"C");
    EXPECT_EQ(SplitField(u"", u',', 1), u"");
    // Columns below one walk to the end.
    EXPECT_EQ(SplitField(u"A,B,C", u',', 0), u"C");
    EXPECT_EQ(SplitField(u"A,B,", u',', -4), u"");
}

TEST(SplitField, QuotesHaveNoMeaningAndEachSeparatorWorks)
{
    EXPECT_EQ(SplitField(u"\"a,b\",c", u',', 1), u"\"a");
    EXPECT_EQ(SplitField(u"\"title\",1", u',', 1), u"\"title\"");
    EXPECT_EQ(SplitField(u"a\tb c;d", separatorChar(CsvSeparator::Tab), 2), u"b c;d");
    EXPECT_EQ(SplitField(u"a\tb c;d", separatorChar(CsvSeparator::Space), 2), u"c;d");
    EXPECT_EQ(SplitField(u"a\tb c;d", separatorChar(CsvSeparator::Semicolon), 2), u"d");
}

TEST(CsvImport, EachLineFillsARowWithItsTitleAndRowNumber)
{
    DataList grid;
    grid.setTitle(1, QStringLiteral("above"));
    grid.setNumber(1, QStringLiteral("kept"));
    importCsvLines(grid, 2, {"A,1", "", "B"}, u',', 1);
    EXPECT_EQ(grid.dataRow(1), (DataRow{1, "above", "kept"}));
    EXPECT_EQ(grid.dataRow(2), (DataRow{2, "A", "2"}));
    EXPECT_EQ(grid.dataRow(3), (DataRow{3, "", "3"})); // an empty line still takes a row
    EXPECT_EQ(grid.dataRow(4), (DataRow{4, "B", "4"}));
    EXPECT_EQ(grid.RowCount(), 90);
}

TEST(CsvImport, TheGridGrowsSoEveryLineHasAShownRow)
{
    DataList grid;
    importCsvLines(grid, 1, QStringList(200, QStringLiteral("x")), u',', 1);
    EXPECT_EQ(grid.RowCount(), 201);
    grid = DataList();
    importCsvLines(grid, 85, QStringList(10, QStringLiteral("x")), u',', 1);
    EXPECT_EQ(grid.RowCount(), 95);

    grid.setTitle(1, QStringLiteral("kept"));
    EXPECT_THROW(importCsvLines(grid, 5, QStringList(DataList::kMaxRowCount, QStringLiteral("y")), u',', 1),
                 Error);
    EXPECT_EQ(grid.RowCount(), 95);
    EXPECT_EQ(grid.title(5), QString());
}

TEST(CsvFile, ShiftJisAndUtf8FilesGiveTheSameLines)
{
    const QStringList expected = {"品名,価格", "りんご,100", "", "\"み,かん\",80"};
    EXPECT_EQ(readCsvFile(test::sampleFile("titles_sjis.csv")), expected);
    EXPECT_EQ(readCsvFile(test::sampleFile("titles_utf8.csv")), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("odd.csv");
    EXPECT_THROW(readCsvFile(path), FileError);
    ASSERT_TRUE(test::writeBytes(path, "a,\x82\r\nb,\xff"));
    EXPECT_EQ(readCsvFile(path), QStringList({"a,\uFFFD", "b,\uFFFD"}));
}

} // namespace
} // namespace korbena
