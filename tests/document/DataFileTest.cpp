#include "document/DataFile.h"

#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "document/ValueText.h"
#include "platform/Error.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::fileBytes;
using test::sampleFile;
using test::writeBytes;

// Loads lines into the grid; returns the error's message, or "" when they load.
QString load(const QStringList& lines, DataList& grid)
{
    try {
        applyDataLines(lines, grid, QStringLiteral("test.lst"));
    } catch (const Error& error) {
        return error.message();
    }
    return {};
}

// --- the ';'-list reader ---

TEST(PopField, TakesFieldsUpToEachSemicolon)
{
    QStringView rest;
    EXPECT_EQ(PopField(u"12;A;B;tail", rest), u"12");
    EXPECT_EQ(rest, u"A;B;tail");
    EXPECT_EQ(PopField(rest, rest), u"A");
    EXPECT_EQ(PopField(rest, rest), u"B");
    EXPECT_EQ(rest, u"tail");
}

TEST(PopField, WithoutASemicolonTheLastFieldRepeats)
{
    QStringView rest;
    EXPECT_EQ(PopField(u"abc", rest), u"abc");
    EXPECT_EQ(rest, u"abc");
    EXPECT_EQ(PopField(rest, rest), u"abc");
    EXPECT_EQ(PopField(u";", rest), u"");
    EXPECT_EQ(rest, u"");
    EXPECT_EQ(PopField(rest, rest), u"");
}

// --- the writer ---

TEST(DataWriter, FileHasOneLinePerRowUpToRowCount)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    DataList grid;
    grid.setTitle(1, QStringLiteral("A"));
    grid.setNumber(1, QStringLiteral("111"));
    grid.setTitle(2, QStringLiteral("B"));
    grid.setNumber(2, QStringLiteral("222"));
    writeDataFile(path, grid);

    QByteArray expected = "[DATA_LIST]=1;A;111;\r\n[DATA_LIST]=2;B;222;\r\n";
    for (int row = 3; row <= 90; ++row)
        expected += "[DATA_LIST]=" + QByteArray::number(row) + ";;;\r\n";
    EXPECT_EQ(fileBytes(path), expected);
}

TEST(DataWriter, JapaneseTextIsWrittenInShiftJis)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("jp.lst");
    DataList grid;
    grid.SetRowCount(2);
    grid.setTitle(1, QStringLiteral("日本"));
    grid.setNumber(1, QStringLiteral("ｱ€"));
    writeDataFile(path, grid);
    EXPECT_EQ(fileBytes(path), QByteArray("[DATA_LIST]=1;\x93\xfa\x96\x7b;\xb1?;\r\n[DATA_LIST]=2;;;\r\n"));
}

TEST(DataWriter, TheHiddenRowPastTheEndIsWrittenWithItsOldText)
{
    DataList grid;
    grid.SetRowCount(3);
    grid.setTitle(3, QStringLiteral("old"));
    grid.setTitle(4, QStringLiteral("beyond"));
    EXPECT_EQ(dataFileLines(grid),
              QStringList({"[DATA_LIST]=1;;;", "[DATA_LIST]=2;;;", "[DATA_LIST]=3;old;;"}));
}

// --- round trips ---

TEST(DataRoundTrip, EveryCellComesBackAndCharactersOutsideTheCodePageAsQuestionMarks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rt.lst");
    DataList saved;
    saved.setTitle(1, QStringLiteral("りんご"));
    saved.setNumber(1, QStringLiteral("4901234567894"));
    saved.setTitle(2, QStringLiteral("A=B=C"));
    saved.setNumber(2, QStringLiteral("=1"));
    saved.setTitle(3, QStringLiteral("ｶﾀｶﾅ①"));
    saved.setTitle(5, QStringLiteral("x€y\U0001F600"));
    saved.setNumber(89, QStringLiteral("last"));
    writeDataFile(path, saved);

    DataList loaded;
    loaded.SetRowCount(2);
    EXPECT_EQ(load(readDataFile(path), loaded), QString());
    EXPECT_EQ(loaded.RowCount(), 90);
    for (int row = 1; row <= 90; ++row) {
        if (row == 5)
            continue;
        EXPECT_EQ(loaded.dataRow(row), saved.dataRow(row)) << row;
    }
    EXPECT_EQ(loaded.title(5), QStringLiteral("x?y?"));

    const QString again = dir.filePath("again.lst");
    writeDataFile(again, loaded);
    EXPECT_EQ(fileBytes(again), fileBytes(path));
}

TEST(DataRoundTrip, ASemicolonInATitleMovesItsTailIntoTheNumber)
{
    // The file has no escape for ';'.
    DataList saved;
    saved.setTitle(1, QStringLiteral("a;b"));
    saved.setNumber(1, QStringLiteral("9"));
    DataList loaded;
    EXPECT_EQ(load(dataFileLines(saved), loaded), QString());
    EXPECT_EQ(loaded.title(1), QStringLiteral("a"));
    EXPECT_EQ(loaded.number(1), QStringLiteral("b"));
}

TEST(DataRoundTrip, SampleFileLoads)
{
    DataList grid;
    const QStringList lines = readDataFile(sampleFile("sample_data.lst"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(load(lines, grid), QString());
    EXPECT_EQ(grid.dataRow(1), (DataRow{1, QStringLiteral("りんご"), QStringLiteral("4901234567894")}));
    EXPECT_EQ(grid.dataRow(2), (DataRow{2, QStringLiteral("ｶﾀｶﾅ品名"), QStringLiteral("4912345678904")}));
    EXPECT_EQ(grid.title(3), QStringLiteral("A=B"));
}

// --- the reader: rows ---

TEST(DataReader, TheGridNeverShrinksAndUnnamedRowsKeepTheirText)
{
    DataList grid;
    grid.SetRowCount(120);
    grid.setTitle(100, QStringLiteral("kept"));
    grid.setTitle(3, QStringLiteral("also kept"));
    QStringList lines;
    for (int row = 1; row <= 90; ++row) {
        if (row != 3)
            lines.append(QStringLiteral("[DATA_LIST]=%1;t%1;n%1;").arg(row));
    }
    EXPECT_EQ(load(lines, grid), QString());
    EXPECT_EQ(grid.RowCount(), 120);
    EXPECT_EQ(grid.title(100), QStringLiteral("kept"));
    EXPECT_EQ(grid.title(3), QStringLiteral("also kept"));
    EXPECT_EQ(grid.title(4), QStringLiteral("t4"));
}

TEST(DataReader, TheGridGrowsToTheNumberOfLines)
{
    DataList grid;
    QStringList lines;
    for (int row = 1; row <= 150; ++row)
        lines.append(QStringLiteral("[DATA_LIST]=%1;;;").arg(row));
    EXPECT_EQ(load(lines, grid), QString());
    EXPECT_EQ(grid.RowCount(), 150);
}

TEST(DataReader, EachLineNamesItsRowAndShortLinesRepeatTheirLastField)
{
    DataList grid;
    EXPECT_EQ(load({"[DATA_LIST]=5;abc", "[DATA_LIST]=7", "[DATA_LIST]=2;t;n;extra;fields", "[OTHER]=1;x;y;",
                    "3;no key;33;", "=4;=;=;"},
                   grid),
              QString());
    EXPECT_EQ(grid.dataRow(5), (DataRow{5, "abc", "abc"}));
    EXPECT_EQ(grid.dataRow(7), (DataRow{7, "7", "7"}));
    EXPECT_EQ(grid.dataRow(2), (DataRow{2, "t", "n"}));
    EXPECT_EQ(grid.dataRow(1), (DataRow{1, "x", "y"}));
    EXPECT_EQ(grid.dataRow(3), (DataRow{3, "no key", "33"}));
    EXPECT_EQ(grid.dataRow(4), (DataRow{4, "=", "="}));
}

TEST(DataReader, RowNumbersOutsideTheGridNeverReachADataRow)
{
    DataList grid;
    grid.setTitle(1, QStringLiteral("one"));
    EXPECT_EQ(load({"[DATA_LIST]=-5;neg;x;", "[DATA_LIST]=0;zero;x;", "[DATA_LIST]=2000000000;far;x;",
                    "[DATA_LIST]=2;two;x;"},
                   grid),
              QString());
    EXPECT_EQ(grid.title(1), QStringLiteral("one"));
    EXPECT_EQ(grid.title(0), DataList::kTitleHeader);
    EXPECT_EQ(grid.number(0), DataList::kNumberHeader);
    EXPECT_EQ(grid.title(2), QStringLiteral("two"));
    EXPECT_LE(grid.storedRows(), 2u);
}

TEST(DataReader, RowsBeyondRowCountAreWrittenHidden)
{
    DataList grid;
    grid.SetRowCount(10);
    EXPECT_EQ(load({"[DATA_LIST]=95;hidden;h;"}, grid), QString());
    EXPECT_EQ(grid.RowCount(), 10);
    EXPECT_EQ(grid.title(95), QStringLiteral("hidden"));
}

// --- the reader: errors ---

TEST(DataReaderErrors, ABadRowNumberStopsAtItsLineKeepingTheRowsBefore)
{
    struct Case
    {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"[DATA_LIST]=abc;x;y;", "'abc' は整数ではありません"},
        {"", "'' は整数ではありません"},
        {"[DATA_LIST]=;x;y;", "'' は整数ではありません"},
        {"[DATA_LIST]=1.5;x;y;", "'1.5' は整数ではありません"},
        {"[DATA_LIST]=4294967297;x;y;", "'4294967297' は整数ではありません"},
        {"[DATA_LIST]=3 ;x;y;", "'3 ' は整数ではありません"},
    };
    for (const Case& c : cases) {
        DataList grid;
        grid.setTitle(9, QStringLiteral("before"));
        const QStringList lines = {"[DATA_LIST]=1;first;1;", QString::fromUtf8(c.line),
                                   "[DATA_LIST]=2;after;2;"};
        try {
            applyDataLines(lines, grid, QStringLiteral("/lists/bad.lst"));
            ADD_FAILURE() << "loaded: " << c.line;
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
            EXPECT_EQ(error.line(), 2);
            EXPECT_TRUE(error.detail().contains(QStringLiteral("bad.lst")));
        }
        EXPECT_EQ(grid.title(1), QStringLiteral("first")) << c.line;
        EXPECT_EQ(grid.title(2), QString()) << c.line;
        EXPECT_EQ(grid.title(9), QStringLiteral("before")) << c.line;
    }
}

TEST(DataReaderErrors, MoreLinesThanTheGridCanHoldChangeNothing)
{
    DataList grid;
    grid.setTitle(1, QStringLiteral("kept"));
    QStringList lines(DataList::kMaxRowCount + 1, QStringLiteral("[DATA_LIST]=1;lost;;"));
    EXPECT_EQ(load(lines, grid), QStringLiteral("グリッドが大きすぎます"));
    EXPECT_EQ(grid.RowCount(), 90);
    EXPECT_EQ(grid.title(1), QStringLiteral("kept"));
}

TEST(DataReaderErrors, OddFilesLoadWithoutLosingRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.lst");

    // Ten megabytes on one line.
    ASSERT_TRUE(writeBytes(path, "[DATA_LIST]=1;" + QByteArray(10 * 1024 * 1024, 'x') + ";9;"));
    DataList grid;
    EXPECT_EQ(load(readDataFile(path), grid), QString());
    EXPECT_EQ(grid.title(1).size(), 10 * 1024 * 1024);
    EXPECT_EQ(grid.number(1), QStringLiteral("9"));

    // A truncated double-byte character at the end, a UTF-8 title, LF line ends.
    ASSERT_TRUE(writeBytes(path, "[DATA_LIST]=1;" + QStringLiteral("日本").toUtf8() +
                                     ";1;\n[DATA_LIST]=2;\x82\xa0;2;\n[DATA_LIST]=3;A\x82"));
    DataList other;
    EXPECT_EQ(load(readDataFile(path), other), QString());
    EXPECT_FALSE(other.title(1).isEmpty());
    EXPECT_EQ(other.dataRow(2), (DataRow{2, QStringLiteral("あ"), "2"}));
    EXPECT_EQ(other.title(3), QStringLiteral("A\uFFFD"));
}

TEST(DataReaderErrors, MissingFileIsAFileError)
{
    QTemporaryDir dir;
    EXPECT_THROW(readDataFile(dir.filePath("none.lst")), FileError);
}

} // namespace
} // namespace korbena
