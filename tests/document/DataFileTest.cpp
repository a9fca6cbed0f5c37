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

TEST(PopField, TakesFieldsUpToEachSemicolonAndRepeatsTheLast)
{
    QStringView rest;
    EXPECT_EQ(PopField(u"12;A;tail", rest), u"12");
    EXPECT_EQ(PopField(rest, rest), u"A");
    EXPECT_EQ(rest, u"tail");
    EXPECT_EQ(PopField(rest, rest), u"tail");
    EXPECT_EQ(rest, u"tail");
    EXPECT_EQ(PopField(u";", rest), u"");
    EXPECT_EQ(rest, u"");
}

// --- the writer and round trips ---

TEST(DataWriter, FileHasOneLinePerRowUpToRowCountByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    DataList grid;
    grid.setTitle(1, QStringLiteral("A"));
    grid.setNumber(1, QStringLiteral("111"));
    grid.setTitle(2, QStringLiteral("日本"));
    grid.setNumber(2, QStringLiteral("ｱ€"));
    grid.setTitle(90, QStringLiteral("hidden, written"));
    grid.setTitle(91, QStringLiteral("beyond, not written"));
    writeDataFile(path, grid);

    QByteArray expected = "[DATA_LIST]=1;A;111;\r\n[DATA_LIST]=2;\x93\xfa\x96\x7b;\xb1?;\r\n";
    for (int row = 3; row < 90; ++row)
        expected += "[DATA_LIST]=" + QByteArray::number(row) + ";;;\r\n";
    expected += "[DATA_LIST]=90;hidden, written;;\r\n";
    EXPECT_EQ(fileBytes(path), expected);
}

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
    ASSERT_EQ(load(readDataFile(path), loaded), QString());
    EXPECT_EQ(loaded.RowCount(), 90);
    saved.setTitle(5, QStringLiteral("x?y?"));
    for (int row = 1; row <= 90; ++row)
        EXPECT_EQ(loaded.dataRow(row), saved.dataRow(row)) << row;

    const QString again = dir.filePath("again.lst");
    writeDataFile(again, loaded);
    EXPECT_EQ(fileBytes(again), fileBytes(path));
}

TEST(DataRoundTrip, SampleFileLoadsAndASemicolonInATitleComesBackFullWidth)
{
    DataList grid;
    ASSERT_EQ(load(readDataFile(sampleFile("sample_data.lst")), grid), QString());
    EXPECT_EQ(grid.dataRow(1), (DataRow{1, QStringLiteral("りんご"), QStringLiteral("4901234567894")}));
    EXPECT_EQ(grid.dataRow(2), (DataRow{2, QStringLiteral("ｶﾀｶﾅ品名"), QStringLiteral("4912345678904")}));

    // The format has no escape for ';': the title keeps its text in the full-width form.
    grid.setTitle(1, QStringLiteral("a;b"));
    ASSERT_EQ(load(dataFileLines(grid), grid), QString());
    EXPECT_EQ(grid.dataRow(1), (DataRow{1, QStringLiteral("a；b"), QStringLiteral("4901234567894")}));
}

// --- the reader ---

TEST(DataReader, TheGridGrowsToTheLinesButNeverShrinksOrClears)
{
    QStringList lines;
    for (int row = 1; row <= 90; ++row) {
        if (row != 3)
            lines.append(QStringLiteral("[DATA_LIST]=%1;t%1;n%1;").arg(row));
    }
    DataList grid;
    grid.SetRowCount(120);
    grid.setTitle(100, QStringLiteral("kept"));
    grid.setTitle(3, QStringLiteral("also kept"));
    ASSERT_EQ(load(lines, grid), QString());
    EXPECT_EQ(grid.RowCount(), 120);
    EXPECT_EQ(grid.title(100), QStringLiteral("kept"));
    EXPECT_EQ(grid.title(3), QStringLiteral("also kept"));
    EXPECT_EQ(grid.title(4), QStringLiteral("t4"));

    DataList small;
    small.SetRowCount(10);
    ASSERT_EQ(load(QStringList(150, QStringLiteral("[DATA_LIST]=95;hidden;;")), small), QString());
    EXPECT_EQ(small.RowCount(), 150);
    EXPECT_EQ(small.title(95), QStringLiteral("hidden"));
}

TEST(DataReader, EachLineNamesItsRowAndShortLinesRepeatTheirLastField)
{
    DataList grid;
    ASSERT_EQ(load({"[DATA_LIST]=5;abc", "[DATA_LIST]=7", "[DATA_LIST]=2;t;n;extra;fields", "[OTHER]=1;x;y;",
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
    ASSERT_EQ(load({"[DATA_LIST]=-5;neg;x;", "[DATA_LIST]=0;zero;x;", "[DATA_LIST]=2000000000;far;x;",
                    "[DATA_LIST]=2;two;x;"},
                   grid),
              QString());
    EXPECT_EQ(grid.title(1), QStringLiteral("one"));
    EXPECT_EQ(grid.title(0), QStringLiteral("文字列")); // the header keeps its captions
    EXPECT_EQ(grid.number(0), QStringLiteral("バーコード番号"));
    EXPECT_EQ(grid.title(2), QStringLiteral("two"));
    EXPECT_LE(grid.storedRows(), 2u);
}

// --- the reader: errors ---

TEST(DataReaderErrors, ABadRowNumberStopsAtItsLineKeepingTheRowsBefore)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[DATA_LIST]=abc;x;y;", "'abc' は整数ではありません"},
        {"", "'' は整数ではありません"},
        {"[DATA_LIST]=;x;y;", "'' は整数ではありません"},
        {"[DATA_LIST]=1.5;x;y;", "'1.5' は整数ではありません"},
        {"[DATA_LIST]=4294967297;x;y;", "'4294967297' は整数ではありません"},
    };
    for (const auto& [line, message] : cases) {
        DataList grid;
        grid.setTitle(9, QStringLiteral("before"));
        try {
            applyDataLines({"[DATA_LIST]=1;first;1;", QString::fromUtf8(line), "[DATA_LIST]=2;after;2;"},
                           grid, QStringLiteral("/lists/bad.lst"));
            ADD_FAILURE() << "loaded: " << line;
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(message));
            EXPECT_EQ(error.line(), 2);
            EXPECT_TRUE(error.detail().contains(QStringLiteral("bad.lst")));
        }
        EXPECT_EQ(grid.title(1), QStringLiteral("first")) << line;
        EXPECT_EQ(grid.title(2), QString()) << line;
        EXPECT_EQ(grid.title(9), QStringLiteral("before")) << line;
    }
}

TEST(DataReaderErrors, MoreLinesThanTheGridCanHoldChangeNothing)
{
    DataList grid;
    grid.setTitle(1, QStringLiteral("kept"));
    EXPECT_EQ(load(QStringList(DataList::kMaxRowCount + 1, QStringLiteral("[DATA_LIST]=1;lost;;")), grid),
              QStringLiteral("グリッドが大きすぎます"));
    EXPECT_EQ(grid.RowCount(), 90);
    EXPECT_EQ(grid.title(1), QStringLiteral("kept"));
}

TEST(DataReaderErrors, OddFilesLoadWithoutLosingRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.lst");
    EXPECT_THROW(readDataFile(path), FileError);

    ASSERT_TRUE(writeBytes(path, "[DATA_LIST]=1;" + QByteArray(10 << 20, 'x') + ";9;"));
    DataList grid;
    ASSERT_EQ(load(readDataFile(path), grid), QString());
    EXPECT_EQ(grid.title(1).size(), 10 << 20);
    EXPECT_EQ(grid.number(1), QStringLiteral("9"));

    // A UTF-8 title, LF line ends, a truncated double-byte character at the end.
    ASSERT_TRUE(writeBytes(path, "[DATA_LIST]=1;" + QStringLiteral("日本").toUtf8() +
                                     ";1;\n[DATA_LIST]=2;\x82\xa0;2;\n[DATA_LIST]=3;A\x82"));
    ASSERT_EQ(load(readDataFile(path), grid), QString());
    EXPECT_NE(grid.title(1), QStringLiteral("日本"));
    EXPECT_EQ(grid.dataRow(2), (DataRow{2, QStringLiteral("あ"), "2"}));
    EXPECT_EQ(grid.title(3), QStringLiteral("A\uFFFD"));
}

} // namespace
} // namespace korbena
