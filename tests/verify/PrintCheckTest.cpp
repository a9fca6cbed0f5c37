#include "verify/PrintCheck.h"

#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"
#include "verify/ExpectedReading.h"
#include "verify/SymbolReader.h"

#include <gtest/gtest.h>

#include <numeric>

namespace korbena {
namespace {

struct Row
{
    QString title;
    QString number;
};

DataList dataList(const std::vector<Row>& list)
{
    DataList rows;
    for (std::size_t i = 0; i < list.size(); ++i) {
        rows.setTitle(static_cast<int>(i + 1), list[i].title);
        rows.setNumber(static_cast<int>(i + 1), list[i].number);
    }
    return rows;
}

LabelStyle sheet(TBarTypes type)
{
    LabelStyle style;
    style.sheet.across = 3;
    style.sheet.down = 8;
    style.symbol.symbology = type;
    return style;
}

// Each symbology's valid rows, with check characters on (CHECK_DT 0): the reader's
// text is built independently in ExpectedReading, so every row verifying means the
// rendered bars, the check characters and the interpretation all agree.
TEST(PrintCheck, ValidRowsOfEverySymbologyAReaderDecodesVerify)
{
    struct Case
    {
        TBarTypes type;
        QStringList numbers;
        QString start = {};
        QString stop = {};
    };
    const std::vector<Case> cases = {
        {cbarJAN,
         {QStringLiteral("490123456789"), QStringLiteral("012345678905"), QStringLiteral("4901234")}},
        {cbarUPC, {QStringLiteral("03600029145"), QStringLiteral("0123455")}},
        {cbarCODE39, {QStringLiteral("CODE-39"), QStringLiteral("A B$/+%")}},
        {cbarNW7,
         {QStringLiteral("31117013206375"), QStringLiteral("12")},
         QStringLiteral("B"),
         QStringLiteral("D")},
        {cbarITF, {QStringLiteral("12345"), QStringLiteral("1234567890123")}},
        {cbarCODE128,
         {QStringLiteral("AB12cd"), QStringLiteral("<FNC1>0109501101530003"), QStringLiteral("12<FNC1>34"),
          QStringLiteral("123<FNC1>45"), QStringLiteral("A<HT>B"), QStringLiteral("A<<B>>C")}},
        {cbarCODE93,
         {QStringLiteral("TEST93"), QStringLiteral("<+>A<%>V</>Z<$>M"), QStringLiteral("A$/+%B")}},
    };
    for (const Case& c : cases) {
        LabelStyle style = sheet(c.type);
        style.symbol.startChar = c.start;
        style.symbol.stopChar = c.stop;
        std::vector<Row> list;
        for (const QString& number : c.numbers)
            list.push_back({QStringLiteral("品名"), number});
        const PrintCheckReport report = verifyRows(style, dataList(list));
        EXPECT_EQ(report.verified, c.numbers.size()) << report.lines().join(u'\n').toStdString();
        EXPECT_TRUE(report.problems.empty()) << report.lines().join(u'\n').toStdString();
        EXPECT_TRUE(report.passed());
        EXPECT_EQ(report.symbology, barTypeName(c.type));
    }
}

TEST(PrintCheck, BadNumbersAndMissingTextAreListedWithTheirReasons)
{
    const PrintCheckReport jan =
        verifyRows(sheet(cbarJAN), dataList({
                                       {QStringLiteral("りんご"), QStringLiteral("490123456789")},
                                       {QStringLiteral("みかん"), QStringLiteral("49012345678a")},
                                       {QStringLiteral("ぶどう"), QString()},
                                       {QString(), QStringLiteral("4901234")},
                                       {QStringLiteral("もも"), QStringLiteral("４９０１２３４")},
                                       {QStringLiteral("なし"), QStringLiteral("   ")},
                                   }));
    ASSERT_EQ(jan.problems.size(), 5u);
    EXPECT_EQ(jan.problems[0].row, 2);
    EXPECT_EQ(jan.problems[0].verdict, RowVerdict::NotEncodable);
    EXPECT_EQ(jan.problems[0].reason(), QStringLiteral("バーコード番号にエラーがあります"));
    EXPECT_EQ(jan.problems[1].verdict, RowVerdict::NoNumber);
    EXPECT_EQ(jan.problems[1].reason(), QStringLiteral("バーコード番号がありません"));
    EXPECT_EQ(jan.problems[2].verdict, RowVerdict::NoTitle);
    EXPECT_EQ(jan.problems[3].reason(),
              QStringLiteral("バーコード番号にエラーがあります（全角文字が含まれています）"));
    EXPECT_EQ(jan.problems[4].verdict, RowVerdict::NoNumber);
    EXPECT_EQ(jan.checked, 6);
    EXPECT_EQ(jan.verified, 1);
    EXPECT_FALSE(jan.passed());
    EXPECT_EQ(jan.summary(), QStringLiteral("6 件中 1 件を読み取り確認しました"));
    EXPECT_EQ(
        jan.lines()[0],
        QStringLiteral("行 2: 文字列「みかん」 番号「49012345678a」: バーコード番号にエラーがあります"));

    // Missing text alone does not stop a print: those labels lack no barcode they should have.
    EXPECT_TRUE(verifyRows(sheet(cbarJAN), dataList({{QStringLiteral("a"), QString()},
                                                     {QString(), QStringLiteral("4901234")}}))
                    .passed());

    const PrintCheckReport code39 =
        verifyRows(sheet(cbarCODE39), dataList({{QStringLiteral("小文字"), QStringLiteral("abc")}}));
    ASSERT_EQ(code39.problems.size(), 1u);
    EXPECT_EQ(code39.problems[0].verdict, RowVerdict::NotEncodable);
}

TEST(PrintCheck, FullJanAndUpcNumbersReadBackAndAWrongCheckDigitIsNamed)
{
    const PrintCheckReport jan =
        verifyRows(sheet(cbarJAN), dataList({{QStringLiteral("full"), QStringLiteral("4901234567894")},
                                             {QStringLiteral("short"), QStringLiteral("49012347")},
                                             {QStringLiteral("wrong"), QStringLiteral("4901234567890")}}));
    EXPECT_EQ(jan.verified, 2) << jan.lines().join(u'\n').toStdString();
    ASSERT_EQ(jan.problems.size(), 1u);
    EXPECT_EQ(jan.problems[0].verdict, RowVerdict::NotEncodable);
    EXPECT_EQ(jan.lines()[0], QStringLiteral("行 3: 文字列「wrong」 番号「4901234567890」: "
                                             "チェックデジットが違います: 4901234567890（正しくは 4）"));
    const PrintCheckReport upc =
        verifyRows(sheet(cbarUPC), dataList({{QStringLiteral("A"), QStringLiteral("012345000058")},
                                             {QStringLiteral("E"), QStringLiteral("01234558")},
                                             {QStringLiteral("wrong E"), QStringLiteral("01234551")}}));
    EXPECT_EQ(upc.verified, 2) << upc.lines().join(u'\n').toStdString();
    ASSERT_EQ(upc.problems.size(), 1u);
    EXPECT_EQ(upc.problems[0].reason(), QStringLiteral("チェックデジットが違います: 01234551（正しくは 8）"));
}

TEST(PrintCheck, SymbologiesNoReaderDecodesAreNeverPassed)
{
    const PrintCheckReport ctf =
        verifyRows(sheet(cbarCTF), dataList({{QStringLiteral("a"), QStringLiteral("1234")},
                                             {QStringLiteral("b"), QStringLiteral("56")}}));
    EXPECT_EQ(ctf.verified, 0);
    ASSERT_EQ(ctf.problems.size(), 2u);
    EXPECT_EQ(ctf.problems[0].verdict, RowVerdict::TypeNotChecked);
    EXPECT_EQ(ctf.problems[0].reason(), QStringLiteral("この種類は読み取り確認できません"));
    EXPECT_TRUE(ctf.passed());
    EXPECT_EQ(ctf.lines(), (QStringList{QStringLiteral("CTF: この種類は読み取り確認できません（2 件）"),
                                        QStringLiteral("2 件中 0 件を読み取り確認しました")}));
    // A too short ITF is not checked either, but the encoding still is.
    const PrintCheckReport itf = verifyRows(
        sheet(cbarITF),
        dataList({{QStringLiteral("a"), QStringLiteral("12")}, {QStringLiteral("b"), QStringLiteral("1x")}}));
    ASSERT_EQ(itf.problems.size(), 2u);
    EXPECT_EQ(itf.problems[0].verdict, RowVerdict::DataNotChecked);
    EXPECT_EQ(itf.problems[1].verdict, RowVerdict::NotEncodable);
}

// The reader must not take a damaged symbol for a good one: a bar widened by one
// module breaks the check digit or the character, and nothing is read.
TEST(PrintCheck, ADamagedSymbolDoesNotRead)
{
    BarImage bar;
    configureMainWindowBarImage(bar);
    bar.SetCode(QStringLiteral("490123456789"));
    QImage picture = bar.Picture().bitmap()->image().convertToFormat(QImage::Format_RGB32);
    SymbolReader reader;
    const auto good = reader.read(picture, ReadFormat::Ean13, 50);
    ASSERT_TRUE(good);
    EXPECT_EQ(good->text, QStringLiteral("4901234567894"));
    // Blacken a run of pixels in the middle of the data.
    for (int y = 0; y < picture.height(); ++y)
        for (int x = picture.width() / 3; x < picture.width() / 3 + 5; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    const auto damaged = reader.read(picture, ReadFormat::Ean13, 50);
    EXPECT_FALSE(damaged && damaged->text == good->text);
    EXPECT_FALSE(reader.read(QImage(), ReadFormat::Ean13, 50));
}

TEST(PrintCheck, RowsFollowThePagesThePrintJobPrints)
{
    const LabelStyle style = sheet(cbarJAN); // 24 labels a page
    std::vector<Row> list;
    for (int k = 1; k <= 18; ++k)
        list.push_back({QStringLiteral("品名"), QStringLiteral("4901234")});
    for (int k = 19; k <= 22; ++k)
        list.push_back({QStringLiteral("番号なし"), QString()});
    list.push_back({QString(), QString()});
    list.push_back({QStringLiteral("最後"), QStringLiteral("4901234")}); // row 24
    const DataList rows = dataList(list);
    std::vector<int> all(22);
    std::iota(all.begin(), all.end(), 1);
    all.push_back(24);
    EXPECT_EQ(printedRows(style, rows), all);
    // From label 7 page 1 ends with row 18; row 19, first of page 2, has no number: no page 2.
    EXPECT_EQ(printedRows(style, rows, 7), std::vector<int>(all.begin(), all.begin() + 18));
    // From the last label, row 1 fills page 1 and the rest flow on; beyond the sheet is held to it.
    EXPECT_EQ(printedRows(style, rows, 24), all);
    EXPECT_EQ(printedRows(style, rows, 99), all);
    LabelStyle none = style;
    none.sheet.across = 0;
    EXPECT_TRUE(printedRows(none, rows).empty());
    EXPECT_FALSE(verifyRows(none, rows).passed());
}

TEST(PrintCheck, Code128ReadingsFollowTheStandardsTransmission)
{
    // WorkSymbol: start letter, data, written check character.
    const ExpectedReading gs1 = expectedCode128Reading(QStringLiteral("C<FNC1>0109501101530003X"));
    EXPECT_EQ(gs1.identifier, QStringLiteral("]C1"));
    EXPECT_EQ(gs1.text, QStringLiteral("0109501101530003"));
    const ExpectedReading gs = expectedCode128Reading(QStringLiteral("A1<CODEC>23<FNC1>45<CODEA><GS>"));
    EXPECT_EQ(gs.identifier, QStringLiteral("]C0"));
    EXPECT_EQ(visibleText(gs.text), QStringLiteral("123<GS>45"));
    EXPECT_EQ(expectedCode128Reading(QStringLiteral("AA<FNC1>12<CODEC>q")).identifier, QStringLiteral("]C2"));
    // Before any data, a switch or another FNC1 leaves FNC1 the GS1 mark.
    const ExpectedReading doubled = expectedCode128Reading(QStringLiteral("B<CODEA><FNC1><FNC1>*4x"));
    EXPECT_EQ(doubled.identifier, QStringLiteral("]C1"));
    EXPECT_EQ(doubled.text, QStringLiteral("*4"));
    EXPECT_EQ(expectedCode128Reading(QStringLiteral("BA<SHIFT><esc>b!")).text, QStringLiteral("A\x1b"
                                                                                              "b"));
    EXPECT_EQ(expectedCode128Reading(QStringLiteral("A<FNC4>AB")).kind,
              ExpectedReading::Kind::UnreadableData);
    EXPECT_EQ(code93FullAscii(QStringLiteral("<%>U<$>A/")).text, QString(QChar(0)) + QChar(1) + u'/');
    EXPECT_FALSE(code93FullAscii(QStringLiteral("</>P")).ok);
}

TEST(PrintCheck, LabelsOffThePaperFail)
{
    // 3 x 8 labels 80 x 40 mm apart on 200 x 287 mm: the third column and the eighth
    // grid row lie beyond the edge.
    LabelStyle style = sheet(cbarJAN);
    style.sheet.pitchX = 80;
    style.sheet.pitchY = 40;
    style.placement.sizeMode = 1;
    style.placement.width = 50;
    style.placement.height = 10;
    std::vector<Row> list(30, Row{QStringLiteral("品名"), QStringLiteral("490123456789")});
    const DataList rows = dataList(list);
    PrintCheckOptions options;
    options.area = {SheetLength::fromWholeMillimetres(200), SheetLength::fromWholeMillimetres(287)};
    const PrintCheckReport report = verifyRows(style, rows, options);
    EXPECT_FALSE(report.passed());
    std::vector<int> off;
    for (const RowCheck& row : report.problems) {
        EXPECT_EQ(row.verdict, RowVerdict::OffPaper);
        off.push_back(row.row);
    }
    // Page 1: rows 3, 6, ..., 21 and 22 to 24; page 2 (rows 25 to 30): 27 and 30.
    EXPECT_EQ(off, (std::vector<int>{3, 6, 9, 12, 15, 18, 21, 22, 23, 24, 27, 30}));
    EXPECT_EQ(report.verified, 30 - 12);
    // Without a known paper nothing is off it.
    EXPECT_TRUE(verifyRows(style, rows).passed());
}

} // namespace
} // namespace korbena
