// Getting lists in from spreadsheets: clipboard blocks, the detailed CSV import and
// the clean-up of full-width barcode numbers.
#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "document/DetailedCsvImport.h"
#include "document/HalfWidth.h"
#include "document/Tsv.h"
#include "document/ValueText.h"
#include "platform/Error.h"
#include "platform/TextCodec932.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

TEST(Tsv, ReadsCellsAsSpreadsheetsWriteThem)
{
    // What Excel puts on the clipboard for a 3 x 2 block: quoted cells for a quote, a
    // line break and a tab inside, CR LF after every row, an empty cell in the middle.
    const QString text = QStringLiteral("\"say \"\"hi\"\"\"\t4901234567894\r\n"
                                        "\"two\r\nlines\"\t\r\n"
                                        "\"a\tb\"\tplain \"quoted\" text\r\n");
    const CellBlock expected{{QStringLiteral("say \"hi\""), QStringLiteral("4901234567894")},
                             {QStringLiteral("two\r\nlines"), QString()},
                             {QStringLiteral("a\tb"), QStringLiteral("plain \"quoted\" text")}};
    EXPECT_EQ(parseTsv(text), expected);
    // LibreOffice writes LF; one cell without a final break is one row.
    EXPECT_EQ(parseTsv(u"x\n\ny"), (CellBlock{{"x"}, {""}, {"y"}}));
    EXPECT_EQ(parseTsv(u"only"), (CellBlock{{"only"}}));
    EXPECT_EQ(parseTsv(u"a\t"), (CellBlock{{"a", ""}}));
    EXPECT_TRUE(parseTsv(u"").empty());
    // A quote typed by hand with no closing quote is text and swallows nothing.
    EXPECT_EQ(parseTsv(u"\"5 inch\t1\n\"6 inch\t2\n"), (CellBlock{{"\"5 inch", "1"}, {"\"6 inch", "2"}}));
    // ... and a quoted cell after such a quote is still read as quoted.
    EXPECT_EQ(parseTsv(u"\"abc\t\"\"\tx\n"), (CellBlock{{"\"abc", "", "x"}}));
}

TEST(Tsv, WritingAndReadingGiveTheSameBlock)
{
    const CellBlock block{{QStringLiteral("tab\there"), QStringLiteral("\"quoted\"")},
                          {QStringLiteral("line\nbreak"), QString()},
                          {QString(), QStringLiteral("CR\r\nLF")},
                          {QStringLiteral("\""), QStringLiteral("plain")}};
    const QString text = writeTsv(block);
    EXPECT_TRUE(text.startsWith(u"\"tab\there\"\t\"\"\"quoted\"\"\"\n"));
    EXPECT_EQ(parseTsv(text), block);
}

TEST(Tsv, PasteGrowsTheListAndCopyGivesTheCellsBack)
{
    DataList list;
    list.setTitle(88, QStringLiteral("kept title"));
    // A block three wide pasted into the number column: only its first column fits.
    const CellArea area = pasteCells(list, 88, kNumberColumn, {{"111", "x", "y"}, {"222"}, {"333\n4"}});
    EXPECT_EQ(area, (CellArea{88, 90, kNumberColumn, kNumberColumn}));
    EXPECT_EQ(list.RowCount(), 91);
    EXPECT_EQ(list.dataRow(88), (DataRow{88, "kept title", "111"}));
    EXPECT_EQ(list.dataRow(90), (DataRow{90, "", "333 4"})); // the data file has one row per line

    // Copy rows 88 to 90, paste them through the clipboard text into another list.
    const QString clipboard = writeTsv(copyCells(list, 88, 90, kTitleColumn, kNumberColumn));
    DataList other;
    pasteCells(other, 1, kTitleColumn, parseTsv(clipboard));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(other.title(1 + r), list.title(88 + r));
        EXPECT_EQ(other.number(1 + r), list.number(88 + r));
    }
    // Past the number column nothing is written.
    EXPECT_TRUE(pasteCells(other, 1, 2, {{"z"}}).isEmpty());

    // Rows beyond the grid's bound: refused with the list as it was.
    const DataList before = other;
    const CellBlock tall(static_cast<std::size_t>(DataList::kMaxRowCount), QStringList{"t"});
    EXPECT_THROW(pasteCells(other, 2, kTitleColumn, tall), Error);
    EXPECT_EQ(other.revision(), before.revision());
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(test::writeBytes(path, bytes));
    return path;
}

TEST(DetailedCsvImport, Cp932FileWithHeadingsQuotedCommasAndQuantities)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "list.csv",
                                   cp932::encode(u"品名,JANコード,枚数\r\n"
                                                 u"\"りんご, 青森産\",4901234567894,2\r\n"
                                                 u"\"みかん \"\"特選\"\"\",4912345678904,\r\n"
                                                 u",,\r\n"
                                                 u"ぶどう,4900000000004,０\r\n"
                                                 u"もも,4909876543210,３\r\n"));
    const CsvTable table = readCsvTable(path, CsvFormat{});
    EXPECT_EQ(table.encoding, CsvEncoding::Cp932);
    EXPECT_EQ(table.separator, CsvSeparator::Comma);
    const CsvRows rows = csvRows(table, CsvColumns{1, true, 1, 2, 3});
    EXPECT_EQ(rows.headings, (QStringList{"品名", "JANコード", "枚数"}));
    EXPECT_EQ(rows.skippedBlankRecords, 1);
    EXPECT_FALSE(rows.serialNumbering);
    // 2 apples, 1 orange (an empty quantity), no grapes (0), 3 peaches (full-width digit).
    const QStringList apple{"りんご, 青森産", "4901234567894"};
    const QStringList orange{"みかん \"特選\"", "4912345678904"};
    const QStringList peach{"もも", "4909876543210"};
    EXPECT_EQ(rows.rows, (CellBlock{apple, apple, orange, peach, peach, peach}));

    // Into the grid from row 88: it grows to show them all, rows above stay.
    DataList list;
    list.setTitle(87, QStringLiteral("before"));
    EXPECT_EQ(placeCsvRows(list, 88, rows), (CellArea{88, 93, kTitleColumn, kNumberColumn}));
    EXPECT_EQ(list.RowCount(), 94);
    EXPECT_EQ(list.dataRow(93), (DataRow{93, "もも", "4909876543210"}));
    EXPECT_EQ(list.title(87), u"before");

    // A preview takes the first rows only.
    EXPECT_EQ(csvRows(readCsvTable(path, CsvFormat{}, 3), CsvColumns{1, true, 1, 2, 3}, 1).rows,
              (CellBlock{apple}));
}

TEST(DetailedCsvImport, Utf8TabFileWithALineBreakInATitleAndSerialNumbering)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "list.txt",
                                   QByteArray("\xEF\xBB\xBF") + QStringLiteral("skip me\n"
                                                                               "No\t品名\t数\n"
                                                                               "1\t\"二行の\n品名\"\t1\n"
                                                                               "2\tばなな, 台湾\tx\n")
                                                                    .toUtf8());
    const CsvTable table = readCsvTable(path, CsvFormat{});
    EXPECT_EQ(table.encoding, CsvEncoding::Utf8);
    EXPECT_EQ(table.separator, CsvSeparator::Tab);
    const CsvRows rows = csvRows(table, CsvColumns{2, true, 2, 0, 0});
    EXPECT_TRUE(rows.serialNumbering);
    EXPECT_EQ(rows.rows, (CellBlock{{"二行の\n品名", ""}, {"ばなな, 台湾", ""}}));
    DataList list;
    placeCsvRows(list, 1, rows);
    EXPECT_EQ(list.title(1), u"二行の 品名");

    // The quantity "x" is named with the line it stands on, past the quoted line break.
    try {
        csvRows(table, CsvColumns{2, true, 2, 1, 3});
        ADD_FAILURE() << "no error for a quantity that is no integer";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.value(), u"x");
        EXPECT_EQ(e.line(), 5);
    }
    // A column the file does not have; a title column below one.
    EXPECT_THROW(csvRows(table, CsvColumns{1, false, 4, 1, 0}), Error);
    EXPECT_THROW(csvRows(table, CsvColumns{1, false, 0, 1, 0}), Error);
    // Read as code page 932 when told so: the same bytes give other text, and no crash.
    CsvFormat cp932Format;
    cp932Format.encoding = CsvEncoding::Cp932;
    EXPECT_NE(readCsvTable(path, cp932Format).records, table.records);
}

TEST(DetailedCsvImport, SeparatorsAreDetectedAndQuotesCanBeText)
{
    EXPECT_EQ(detectSeparator(u"Red apple;4901234567894\nGreen pear;4912345678904\n", true),
              CsvSeparator::Semicolon);
    EXPECT_EQ(detectSeparator(u"apple 4901234567894\npear 4912345678904\n", true), CsvSeparator::Space);
    EXPECT_EQ(detectSeparator(u"\"a,b\";1\n\"c,d\";2\n", true), CsvSeparator::Semicolon);
    EXPECT_EQ(detectSeparator(u"single\ncolumn\n", true), CsvSeparator::Comma);

    CsvFormat noQuotes;
    noQuotes.quoting = false;
    const CsvTable table = parseCsvTable("\"a,b\",1\n", noQuotes);
    EXPECT_EQ(table.records, (CellBlock{{"\"a", "b\"", "1"}}));
}

TEST(DetailedCsvImport, NumbersInExponentFormAreRefusedWithTheirLinesNamed)
{
    // A spreadsheet saved as CSV writes 13-digit numbers as "4.90123E+12": the digits
    // are gone, so the rows are named and the spreadsheet file itself is asked for.
    const CsvTable table = parseCsvTable(QByteArray("品名,JAN\n"
                                                    "りんご,4.90123E+12\n"
                                                    "みかん,4912345678904\n"
                                                    "ぶどう, 4.9E12 \n"
                                                    "もも,1e+13\n"),
                                         CsvFormat{});
    try {
        csvRows(table, CsvColumns{1, true, 1, 2, 0});
        ADD_FAILURE() << "no error for numbers in exponent form";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(u"4.90123E+12")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"2, 4, 5 行目")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u".xlsx")) << e.message().toStdString();
    }
    // More than ten such rows: the first ten and how many more.
    QByteArray many;
    for (int i = 0; i < 14; ++i)
        many += "x,4.9E+12\n";
    try {
        csvRows(parseCsvTable(many, CsvFormat{}), CsvColumns{1, false, 1, 2, 0});
        ADD_FAILURE() << "no error for numbers in exponent form";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(u"1, 2, 3, 4, 5, 6, 7, 8, 9, 10 行目ほか 4 行"))
            << e.message().toStdString();
    }
    // Only the number column counts; titles, quantities, serial numbering and decimal
    // or alphanumeric codes pass.
    const CsvTable fine =
        parseCsvTable(QByteArray("1E5,12.5,ABC1E2,1\n2E3,4901234567894,E12,2\n"), CsvFormat{});
    EXPECT_EQ(csvRows(fine, CsvColumns{1, false, 1, 2, 0}).rows.size(), 2u);
    EXPECT_EQ(csvRows(fine, CsvColumns{1, false, 1, 3, 0}).rows.size(), 2u);
    EXPECT_EQ(csvRows(table, CsvColumns{1, true, 1, 0, 0}).rows.size(), 4u);
}

TEST(HalfWidth, NumbersOfTheChosenRowsBecomeAsciiAndTitlesStay)
{
    EXPECT_EQ(toHalfWidthNumber(u"４９０１２３４５６７８９４"), u"4901234567894");
    EXPECT_EQ(toHalfWidthNumber(u"ＡＢＣ－１２ー３‐４−５―６／＋％"), u"ABC-12-3-4-5-6/+%");
    EXPECT_EQ(toHalfWidthNumber(u"ａｂｃ漢字ｶﾅ"), u"abc漢字ｶﾅ");
    EXPECT_TRUE(hasFullWidthNumberChars(u"12３"));
    EXPECT_FALSE(hasFullWidthNumberChars(u"123-ABC 漢字"));

    DataList list;
    list.setTitle(1, QStringLiteral("全角のタイトル１２３"));
    list.setNumber(1, QStringLiteral("１２３"));
    list.setNumber(2, QStringLiteral("123"));
    list.setNumber(3, QStringLiteral("ＫＢ－００１"));
    list.setNumber(4, QStringLiteral("４５６"));
    EXPECT_EQ(convertNumbersToHalfWidth(list, 1, 3), 2);
    EXPECT_EQ(list.dataRow(1), (DataRow{1, "全角のタイトル１２３", "123"}));
    EXPECT_EQ(list.number(3), u"KB-001");
    EXPECT_EQ(list.number(4), u"４５６"); // not chosen
    EXPECT_EQ(convertNumbersToHalfWidth(list, -5, 1'000'000), 1);
    EXPECT_EQ(convertNumbersToHalfWidth(list, 1, list.RowCount()), 0);
}

} // namespace
} // namespace korbena
