// Spreadsheet files in the detailed import: cells as the workbook stores them (a
// 13-digit number stays exact whatever its display format), shared and inline
// strings, formulas and dates by their stored values, empty rows, a second sheet.
#include "spreadsheet/SpreadsheetReader.h"

#include "../cli/CommandRunner.h"
#include "TestSupport.h"
#include "WorkbookFiles.h"
#include "cli/ImportCommand.h"
#include "document/DataFile.h"
#include "document/DetailedCsvImport.h"
#include "platform/Error.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

// Rows 1, 2, 5 and 6 of a product list; row 3 is written but empty, row 4 is not
// written at all. B2 is a number shown in exponent format (style 1), B5 one in the
// general format; C5 and A6 are formulas, B6 a date, C6 a truth value.
const QByteArray kProductSheet =
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
    "<c r=\"C1\" t=\"inlineStr\"><is><t>枚数</t></is></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>2</v></c><c r=\"B2\" s=\"1\"><v>4.901234567894E12</v></c>"
    "<c r=\"C2\"><v>2</v></c></row>"
    "<row r=\"3\" ht=\"20\" customHeight=\"1\"/>"
    "<row r=\"5\"><c r=\"A5\" t=\"inlineStr\"><is><r><t>みかん</t></r><r><t xml:space=\"preserve\"> "
    "1kg</t></r>"
    "<rPh sb=\"0\" eb=\"3\"><t>ミカン</t></rPh></is></c><c r=\"B5\"><v>4912345678904</v></c>"
    "<c r=\"C5\"><f>1+2</f><v>3</v></c></row>"
    "<row r=\"6\"><c r=\"A6\" t=\"str\"><f>\"ぶ\"&amp;\"どう\"</f><v>ぶどう</v></c>"
    "<c r=\"B6\" s=\"2\"><v>45296</v></c><c r=\"C6\" t=\"b\"><v>1</v></c>"
    "<c r=\"E6\"><v>1.5E-3</v></c></row>";

const QStringList kSharedStrings{"品名", "JANコード", "りんご（青森）"};

const CellBlock kProductRecords{
    {"品名", "JANコード", "枚数"},        {"りんご（青森）", "4901234567894", "2"}, {}, {},
    {"みかん 1kg", "4912345678904", "3"}, {"ぶどう", "45296", "1", "", "0.0015"},
};

// The same list as OpenDocument writes it: header rows, a number in exponent form,
// a formula, repeated and empty rows and a run of empty rows to the sheet's end.
const QByteArray kProductTable =
    "<table:table-header-rows><table:table-row>"
    "<table:table-cell office:value-type=\"string\"><text:p>品名</text:p></table:table-cell>"
    "<table:table-cell office:value-type=\"string\"><text:p>JANコード</text:p></table:table-cell>"
    "<table:table-cell office:value-type=\"string\"><text:p>枚数</text:p></table:table-cell>"
    "</table:table-row></table:table-header-rows>"
    "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>りんご<text:s text:c=\"2\"/>青森"
    "</text:p><text:p>ふじ</text:p></table:table-cell>"
    "<table:table-cell office:value-type=\"float\" "
    "office:value=\"4.901234567894E+12\"><text:p>4.90E+12</text:p>"
    "</table:table-cell><table:table-cell office:value-type=\"float\" office:value=\"2\"><text:p>2</text:p>"
    "</table:table-cell></table:table-row>"
    "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell "
    "table:number-columns-repeated=\"1024\"/>"
    "</table:table-row>"
    "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell table:number-columns-repeated=\"2\" "
    "office:value-type=\"string\"><text:p>同じ<office:annotation><text:p>メモ</text:p></office:annotation>"
    "</text:p></table:table-cell><table:table-cell table:formula=\"of:=1+2\" office:value-type=\"float\" "
    "office:value=\"3\"><text:p>3</text:p></table:table-cell></table:table-row>"
    "<table:table-row><table:table-cell office:value-type=\"date\" office:date-value=\"2024-01-05\">"
    "<text:p>2024/1/5</text:p></table:table-cell><table:table-cell table:number-columns-repeated=\"3\"/>"
    "<table:table-cell office:value-type=\"float\" office:value=\"4912345678904\"><text:p>4.91E+12</text:p>"
    "</table:table-cell></table:table-row>"
    "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
    "table:number-columns-repeated=\"1024\"/></table:table-row>";

const CellBlock kOdsRecords{
    {"品名", "JANコード", "枚数"},
    {"りんご  青森\nふじ", "4901234567894", "2"},
    {},
    {},
    {"同じ", "同じ", "3"},
    {"同じ", "同じ", "3"},
    {"2024-01-05", "", "", "", "4912345678904"},
};

const QByteArray kStockTable = "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>在庫"
                               "</text:p></table:table-cell><table:table-cell office:value-type=\"float\" "
                               "office:value=\"4909876543210\"/></table:table-row>";

class SpreadsheetReaderTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const test::ZipMembers& members)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(test::writeZip(path, members));
        return path;
    }
    QString xlsx()
    {
        return write(QStringLiteral("list.xlsx"),
                     test::xlsxWorkbook({{QStringLiteral("商品"), kProductSheet},
                                         {QStringLiteral("在庫"),
                                          "<row r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is><t>在庫"
                                          "</t></is></c><c r=\"C2\"><v>4909876543210</v></c></row>"}},
                                        kSharedStrings));
    }
    QString ods()
    {
        return write(QStringLiteral("list.ods"), test::odsDocument({{QStringLiteral("商品"), kProductTable},
                                                                    {QStringLiteral("在庫"), kStockTable}}));
    }

    QTemporaryDir dir;
};

TEST_F(SpreadsheetReaderTest, XlsxCellsAreReadAsStored)
{
    const QString path = xlsx();
    EXPECT_EQ(spreadsheetSheetNames(path), (QStringList{"商品", "在庫"}));
    const CsvTable table = readSpreadsheet(path);
    EXPECT_EQ(table.records, kProductRecords);
    EXPECT_EQ(table.recordLines, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    // The second sheet by its name, found through an absolute part name; a preview's first rows.
    EXPECT_EQ(readSpreadsheet(path, QStringLiteral("在庫")).records,
              (CellBlock{{}, {"", "在庫", "4909876543210"}}));
    EXPECT_EQ(readSpreadsheet(path, {}, 2).records,
              (CellBlock(kProductRecords.begin(), kProductRecords.begin() + 2)));
    try {
        readSpreadsheet(path, QStringLiteral("売上"));
        ADD_FAILURE() << "no error for a sheet the file lacks";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), u"シート「売上」がありません");
        EXPECT_EQ(e.detail(), path);
    }
}

TEST_F(SpreadsheetReaderTest, OdsCellsAreReadAsStored)
{
    const QString path = ods();
    EXPECT_EQ(spreadsheetSheetNames(path), (QStringList{"商品", "在庫"}));
    const CsvTable table = readSpreadsheet(path);
    EXPECT_EQ(table.records, kOdsRecords); // and not a million empty rows at the end
    EXPECT_EQ(table.recordLines.back(), 7);
    EXPECT_EQ(readSpreadsheet(path, QStringLiteral("在庫")).records, (CellBlock{{"在庫", "4909876543210"}}));
    EXPECT_THROW(readSpreadsheet(path, QStringLiteral("売上")), Error);
}

TEST_F(SpreadsheetReaderTest, TheDetailedImportTakesSpreadsheetsAndTheCliWritesTheList)
{
    enableSpreadsheetImport();
    CsvFormat format;
    for (const QString& path : {xlsx(), ods()}) {
        SCOPED_TRACE(path.toStdString());
        const CsvRows rows = csvRows(readCsvTable(path, format), CsvColumns{1, true, 1, 2, 3});
        ASSERT_GE(rows.rows.size(), 4u);
        EXPECT_EQ(rows.headings, (QStringList{"品名", "JANコード", "枚数"}));
        EXPECT_EQ(rows.rows[0][1], u"4901234567894");
        EXPECT_EQ(rows.rows[1][1], u"4901234567894"); // two labels
        EXPECT_EQ(rows.rows[2][1], path.endsWith(u".xlsx") ? u"4912345678904" : u"同じ");
    }
    format.sheet = QStringLiteral("在庫");
    EXPECT_EQ(csvRows(readCsvTable(ods(), format), CsvColumns{1, false, 1, 2, 0}).rows,
              (CellBlock{{"在庫", "4909876543210"}}));

    const QString out = dir.filePath(QStringLiteral("stock.lst"));
    const auto ok = cli::test::runCommand(
        cli::runImport, {xlsx(), "--sheet", "在庫", "--title-col", "2", "--number-col", "3", "--out", out});
    EXPECT_EQ(ok.code, 0) << ok.err.toStdString();
    EXPECT_EQ(readDataFile(out), (QStringList{"[DATA_LIST]=1;在庫;4909876543210;", "[DATA_LIST]=2;;;"}));
    const auto missing = cli::test::runCommand(
        cli::runImport, {xlsx(), "--sheet", "売上", "--title-col", "1", "--number-col", "2", "--out", out});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(u"シート「売上」がありません")) << missing.err.toStdString();
}

TEST_F(SpreadsheetReaderTest, DamagedFilesAreRefusedNotCrashedOn)
{
    enableSpreadsheetImport();
    // Not a zip, a zip without a workbook, a workbook with a cut sheet, a missing file.
    const QString text = dir.filePath(QStringLiteral("text.xlsx"));
    ASSERT_TRUE(test::writeZip(dir.filePath(QStringLiteral("empty.ods")), {{"other.txt", "x"}}));
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("品名,JAN\n");
    }
    test::ZipMembers cut =
        test::xlsxWorkbook({{QStringLiteral("s"), "<row r=\"1\"><c r=\"A1\"><v>1</v>"}}, {});
    const QString cutPath = write(QStringLiteral("cut.xlsx"), cut);
    for (const QString& path : {text, dir.filePath(QStringLiteral("empty.ods")), cutPath})
        EXPECT_THROW(readCsvTable(path, {}), Error) << path.toStdString();
    EXPECT_THROW(readCsvTable(dir.filePath(QStringLiteral("none.xlsx")), {}), FileError);
    // Cells past the last column a sheet can have, and a row number far beyond the rows.
    const QString wide =
        write(QStringLiteral("wide.xlsx"),
              test::xlsxWorkbook({{QStringLiteral("s"), "<row r=\"1\"><c r=\"ZZZZZ1\"><v>1</v></c>"
                                                        "<c r=\"A1\"><v>2</v></c></row>"
                                                        "<row r=\"99999999999\"><c><v>3</v></c></row>"}},
                                 {}));
    EXPECT_EQ(readSpreadsheet(wide).records, (CellBlock{{"2"}}));
}

TEST(PlainDecimal, StoredNumbersLoseTheirExponentAndKeepEveryDigit)
{
    EXPECT_EQ(plainDecimal(u"4.901234567894E12"), u"4901234567894");
    EXPECT_EQ(plainDecimal(u"4.901234567894E+12"), u"4901234567894");
    EXPECT_EQ(plainDecimal(u"4.9E12"), u"4900000000000");
    EXPECT_EQ(plainDecimal(u"1E+13"), u"10000000000000");
    EXPECT_EQ(plainDecimal(u"1.5E-3"), u"0.0015");
    EXPECT_EQ(plainDecimal(u"-2.50e1"), u"-25");
    EXPECT_EQ(plainDecimal(u"123.456E1"), u"1234.56");
    EXPECT_EQ(plainDecimal(u"0E0"), u"0");
    EXPECT_EQ(plainDecimal(u"4901234567894"), u"4901234567894"); // no exponent: as stored
    EXPECT_EQ(plainDecimal(u"0.1"), u"0.1");
    for (const char16_t* text : {u"E12", u"1E", u"1E1000", u"abcE1", u"1.2.3E4", u""})
        EXPECT_EQ(plainDecimal(text), QString::fromUtf16(text));
}

} // namespace
} // namespace korbena
