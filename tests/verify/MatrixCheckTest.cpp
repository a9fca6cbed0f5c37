#include "document/SerialNumbers.h"
#include "symbol/BarTypes.h"
#include "verify/PrintCheck.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

DataList rowsOf(const QStringList& numbers)
{
    DataList rows;
    for (int i = 0; i < numbers.size(); ++i) {
        rows.setTitle(i + 1, QStringLiteral("品名%1").arg(i + 1));
        rows.setNumber(i + 1, numbers[i]);
    }
    return rows;
}

LabelStyle sheetOf(TBarTypes type)
{
    LabelStyle style;
    style.sheet.across = 2;
    style.sheet.down = 4;
    style.symbol.symbology = static_cast<TBarTypes>(type);
    return style;
}

// The check reads the two-dimensional symbols over their whole picture and GS1-128
// as CODE-128 with FNC1 first: every valid row verifies, its data compared.
TEST(MatrixCheck, ValidRowsOfTheNewSymbologiesVerify)
{
    const std::vector<std::pair<TBarTypes, QStringList>> cases = {
        {cbarQR, {QStringLiteral("ABC-123"), QStringLiteral("東京都千代田区"), QStringLiteral("a\tb~é")}},
        {cbarDATAMATRIX, {QStringLiteral("DM-0001"), QStringLiteral("12345678901234567890")}},
        {cbarPDF417, {QStringLiteral("PDF417 / data"), QStringLiteral("日本語")}},
        {cbarGS1_128,
         {QStringLiteral("(01)04912345678904(17)270101(10)LOT1"), QStringLiteral("(10)LOT1(17)270101")}},
    };
    for (const auto& [type, numbers] : cases) {
        const PrintCheckReport report = verifyRows(sheetOf(type), rowsOf(numbers), {});
        EXPECT_EQ(report.checked, numbers.size()) << type;
        EXPECT_EQ(report.verified, numbers.size()) << type;
        EXPECT_TRUE(report.passed()) << type << " " << qPrintable(report.lines().join(u'\n'));
    }
}

// A GS1 row that cannot be encoded fails the check, and its reason names the
// identifier at fault.
TEST(MatrixCheck, BadGs1RowsFailNamingTheIdentifier)
{
    const PrintCheckReport report =
        verifyRows(sheetOf(cbarGS1_128),
                   rowsOf({QStringLiteral("(01)04912345678905"), QStringLiteral("(17)271301(10)A"),
                           QStringLiteral("(10)OK")}),
                   {});
    ASSERT_EQ(report.problems.size(), 2U);
    EXPECT_FALSE(report.passed());
    EXPECT_EQ(report.problems[0].verdict, RowVerdict::NotEncodable);
    EXPECT_TRUE(report.problems[0].reason().contains(u"(01) のチェックディジット"))
        << qPrintable(report.problems[0].reason());
    EXPECT_TRUE(report.problems[1].reason().contains(u"(17) の日付"))
        << qPrintable(report.problems[1].reason());
    EXPECT_EQ(report.verified, 1);
}

// Serial numbers serve GS1 data as they serve the twelve: a header with the
// identifiers, the counter as a serial number (21); each row prints and reads back.
TEST(MatrixCheck, SerialGs1RowsVerifyOnGs1DataMatrix)
{
    DataList rows = rowsOf(QStringList(8, QString()));
    SerialSettings serial;
    serial.header = QStringLiteral("(01)04912345678904(21)SN");
    serial.footer.clear();
    serial.start = 7;
    SerializeRows(rows, 1, serial);
    EXPECT_EQ(rows.number(1), QStringLiteral("(01)04912345678904(21)SN00007"));
    LabelStyle style = sheetOf(cbarDATAMATRIX);
    style.symbol.gs1 = true;
    const PrintCheckReport report = verifyRows(style, rows, {});
    EXPECT_EQ(report.verified, 8) << qPrintable(report.lines().join(u'\n'));
    EXPECT_TRUE(report.passed());
}

} // namespace
} // namespace korbena
