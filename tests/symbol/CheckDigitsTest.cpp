#include "symbol/CheckDigits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// --- modulus 10 weight 3 ---

TEST(Modulus10Weight3, PublishedGs1Numbers)
{
    // GS1 check digit calculation examples.
    EXPECT_EQ(Modulus10Weight3(u"629104150021"), u"3");      // GTIN-13 6291041500213
    EXPECT_EQ(Modulus10Weight3(u"37610425002123456"), u"9"); // SSCC 376104250021234569
    // Printed numbers under well-known symbols: EAN-13 4006381333931, UPC-A 036000291452.
    EXPECT_EQ(Modulus10Weight3(u"400638133393"), u"1");
    EXPECT_EQ(Modulus10Weight3(u"03600029145"), u"2");
}

TEST(Modulus10Weight3, WeightThreeStartsAtTheRightmostDigit)
{
    EXPECT_EQ(Modulus10Weight3(u"1234567"), u"0"); // 3 x (7+5+3+1) + (6+4+2) = 60
    EXPECT_EQ(Modulus10Weight3(u"12345"), u"7");   // 3 x (5+3+1) + (4+2) = 33
    EXPECT_EQ(Modulus10Weight3(u"5"), u"5");       // 15, no even positions
    EXPECT_EQ(Modulus10Weight3(u"0"), u"0");
    EXPECT_EQ(Modulus10Weight3(u"05"), u"5"); // a leading zero changes nothing
    // 50,001 nines at odd positions and 50,000 at even ones: 3 x 450009 + 450000 = 1800027.
    EXPECT_EQ(Modulus10Weight3(QString(100001, u'9')), u"3");
}

TEST(Modulus10Weight3, RejectsAnythingButDigitsWithTheConversionError)
{
    const struct
    {
        QString code, message;
    } cases[] = {
        {QString(), QStringLiteral("'' は整数ではありません")},
        {QStringLiteral("12a45"), QStringLiteral("'a' は整数ではありません")},
        {QStringLiteral("1 2"), QStringLiteral("' ' は整数ではありません")},
        {QStringLiteral("-12"), QStringLiteral("'-' は整数ではありません")},
        {QStringLiteral("12３"), QStringLiteral("'３' は整数ではありません")}, // full-width digit
        {QStringLiteral("1x2y"), QStringLiteral("'x' は整数ではありません")},  // the first one is named
        {QStringLiteral("1😀"), QStringLiteral("'😀' は整数ではありません")},    // a surrogate pair whole
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_EQ(Modulus10Weight3(c.code, &error), QString()) << qPrintable(c.code);
        EXPECT_EQ(error, c.message) << qPrintable(c.code);
    }
    EXPECT_EQ(Modulus10Weight3(u"x"), QString()); // no error text wanted
}

// --- NW-7 modulus 16 ---

TEST(Modulus16NW7, SumsEveryCharacterStartAndStopIncluded)
{
    EXPECT_EQ(Modulus16NW7(u"A1234B"), u"5"); // 16 - (16+1+2+3+4+17) mod 16 = 5
    EXPECT_EQ(Modulus16NW7(u"AA"), u"0");     // sum 32: check value 0, not 16
    EXPECT_EQ(Modulus16NW7(u"A"), u"0");
    EXPECT_EQ(Modulus16NW7(u""), u"0");
    EXPECT_EQ(Modulus16NW7(u"."), u"2");   // full stop counts 14
    EXPECT_EQ(Modulus16NW7(u"5"), u"$");   // check value 11
    EXPECT_EQ(Modulus16NW7(u"D"), u"/");   // 19 mod 16 = 3, check value 13
    EXPECT_EQ(Modulus16NW7(u"C-$"), u"9"); // 18+10+11 = 39, 39 mod 16 = 7, check value 9
}

TEST(Modulus16NW7, CharactersOutsideTheTableCountZero)
{
    EXPECT_EQ(Modulus16NW7(u"a1234b"), u"6"); // lower-case start and stop count 0: 16 - 10
    EXPECT_EQ(Modulus16NW7(u"A1234B*E "), Modulus16NW7(u"A1234B"));
    EXPECT_EQ(Modulus16NW7(u"日本"), u"0");
}

// --- CODE-39 modulus 43 ---

TEST(Modulus43Code39, SumModulo43)
{
    // Character values of ISO/IEC 16388.
    EXPECT_EQ(Modulus43Code39(u"ABC"), u"X");     // 10+11+12 = 33
    EXPECT_EQ(Modulus43Code39(u"CODE 39"), u"R"); // 12+24+13+14+38+3+9 = 113, 113 mod 43 = 27
    EXPECT_EQ(Modulus43Code39(u"Z8"), u"0");      // 43
    EXPECT_EQ(Modulus43Code39(u"."), u".");       // 37
    EXPECT_EQ(Modulus43Code39(u"%"), u"%");       // 42, the last value
    EXPECT_EQ(Modulus43Code39(u"%%"), u"+");      // 84 mod 43 = 41
    EXPECT_EQ(Modulus43Code39(u""), u"0");
}

TEST(Modulus43Code39, CharactersOutsideTheTableCountZero)
{
    EXPECT_EQ(Modulus43Code39(u"abc"), u"0"); // exact comparison: lower case is not in the table
    EXPECT_EQ(Modulus43Code39(u"*ABC*"), u"X");
}

// --- the calculators' messages ---

TEST(CheckCalculatorMessage, ShowsTheCodeWithItsCheckCharacter)
{
    const auto message = [](CheckCalculator calculator, const QString& input) {
        const CheckCalculation result = CheckCalculatorMessage(calculator, input);
        EXPECT_TRUE(result.ok) << qPrintable(input);
        return result.message;
    };
    EXPECT_EQ(message(CheckCalculator::Modulus10Weight3, QStringLiteral("1234567")),
              QStringLiteral("チェックデジット=0\r\nデ ー タ 結 果  =1234567→12345670"));
    EXPECT_EQ(message(CheckCalculator::Modulus16NW7, QStringLiteral("A1234B")),
              QStringLiteral("チェックデジット=5\r\nデ ー タ 結 果  =A1234B→A12345B"));
    EXPECT_EQ(message(CheckCalculator::Modulus43Code39, QStringLiteral("ABC")),
              QStringLiteral("チェックデジット=X\r\nデ ー タ 結 果  =*ABCX*"));
    // NW-7 puts the check character before the last character, whatever the length.
    EXPECT_EQ(message(CheckCalculator::Modulus16NW7, QStringLiteral("A")),
              QStringLiteral("チェックデジット=0\r\nデ ー タ 結 果  =A→0A"));
    EXPECT_EQ(message(CheckCalculator::Modulus16NW7, QString()),
              QStringLiteral("チェックデジット=0\r\nデ ー タ 結 果  =→0"));
    EXPECT_EQ(message(CheckCalculator::Modulus16NW7, QStringLiteral("A1😀")),
              QStringLiteral("チェックデジット=+\r\nデ ー タ 結 果  =A1😀→A1+😀")); // 16 - 17 mod 16 = 15
}

TEST(CheckCalculatorMessage, RejectedInputGivesTheConversionErrorOnly)
{
    const CheckCalculation result = CheckCalculatorMessage(CheckCalculator::Modulus10Weight3, u"12-3");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, QStringLiteral("'-' は整数ではありません"));
}

} // namespace
} // namespace korbena
