// EAN-13 and EAN-8 as JAN symbols. Expected patterns are assembled from the number
// sets of the GS1 General Specifications (5.2.1.2.1), typed here independently of
// the encoder's tables.
#include "TestSupport.h"
#include "symbol/BarTypes.h"
#include "symbol/ElementPattern.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

#include <map>

namespace korbena {
namespace {

const std::map<char, QString> kA = {
    {'0', "0001101"}, {'1', "0011001"}, {'2', "0010011"}, {'3', "0111101"}, {'4', "0100011"},
    {'5', "0110001"}, {'6', "0101111"}, {'7', "0111011"}, {'8', "0110111"}, {'9', "0001011"},
};
const std::map<char, QString> kB = {
    {'0', "0100111"}, {'1', "0110011"}, {'2', "0011011"}, {'3', "0100001"}, {'4', "0011101"},
    {'5', "0111001"}, {'6', "0000101"}, {'7', "0010001"}, {'8', "0001001"}, {'9', "0010111"},
};
const std::map<char, QString> kC = {
    {'0', "1110010"}, {'1', "1100110"}, {'2', "1101100"}, {'3', "1000010"}, {'4', "1011100"},
    {'5', "1001110"}, {'6', "1010000"}, {'7', "1000100"}, {'8', "1001000"}, {'9', "1110100"},
};
const QString kStart = QStringLiteral("101");
const QString kCentre = QStringLiteral("01010");
const QString kEnd = QStringLiteral("1010"); // end guard and the trailing space module

// --- Mod10CheckDigit ---

TEST(Mod10CheckDigit, PublishedExamples)
{
    EXPECT_EQ(Mod10CheckDigit(u"590123412345"), 7); // GS1 General Specifications, EAN-13 example
    EXPECT_EQ(Mod10CheckDigit(u"9638507"), 4);      // EAN-8 96385074
    EXPECT_EQ(Mod10CheckDigit(u"494612200092"), 3);
    EXPECT_EQ(Mod10CheckDigit(u"4901234"), 7);
}

TEST(Mod10CheckDigit, SumThatIsAMultipleOfTenGivesZero)
{
    // 7x3 + 6 + 5x3 + 4 + 3x3 + 2 + 1x3 = 60
    EXPECT_EQ(Mod10CheckDigit(u"1234567"), 0);
    EXPECT_EQ(Mod10CheckDigit(u"000000000000"), 0);
    EXPECT_EQ(Mod10CheckDigit(u""), 0);
}

// --- limits ---

TEST(JanLimits, OnlySevenOrTwelveDigitsAreAccepted)
{
    for (const char* code : {"", "1", "123456", "12345678", "12345678901", "4946122000924", "49461220009212"})
        EXPECT_FALSE(encodeJan(QString::fromLatin1(code)).ok()) << code;
    EXPECT_TRUE(encodeJan(QStringLiteral("1234567")).ok());
    EXPECT_TRUE(encodeJan(QStringLiteral("123456789012")).ok());
}

TEST(JanLimits, PatternLengthsAreTheModuleCountsPlusOne)
{
    EXPECT_EQ(encodeJan(QStringLiteral("494612200092")).pattern.size(), 96);
    EXPECT_EQ(encodeJan(QStringLiteral("4901234")).pattern.size(), 68);
}

// --- human-readable text ---

TEST(JanText, CheckDigitIsAppendedToWorkSymbolAndSymbol)
{
    const Encoding e13 = encodeJan(QStringLiteral("494612200092"));
    EXPECT_EQ(e13.workSymbol, QStringLiteral("4946122000923"));
    EXPECT_EQ(e13.symbol, QStringLiteral("4946122000923"));
    EXPECT_EQ(e13.cdn, 3);

    const Encoding e8 = encodeJan(QStringLiteral("4901234"));
    EXPECT_EQ(e8.workSymbol, QStringLiteral("49012347"));
    EXPECT_EQ(e8.cdn, 7);

    const Encoding zero = encodeJan(QStringLiteral("1234567"));
    EXPECT_EQ(zero.workSymbol, QStringLiteral("12345670"));
    EXPECT_EQ(zero.cdn, 0);
}

TEST(JanText, CheckDigitIgnoresTheCdOption)
{
    EncodeOptions off;
    off.cd = false;
    EXPECT_EQ(encodeJan(QStringLiteral("494612200092"), off).workSymbol, QStringLiteral("4946122000923"));
}

// --- rejected input ---

TEST(JanRejected, NonDigitsAreRefused)
{
    for (const QString& code :
         {QStringLiteral("49461220009a"), QStringLiteral("494612 00092"), QStringLiteral("１２３４５６７"),
          QStringLiteral("-123456"), QStringLiteral("123456\n"), QString::fromUtf16(u"12345\u06637")}) {
        const Encoding e = encodeJan(code);
        EXPECT_FALSE(e.ok());
        EXPECT_TRUE(e.workSymbol.isEmpty());
        EXPECT_EQ(e.cdn, -1);
    }
}

// --- encode vectors ---

TEST(JanVectors, Ean13LeadingDigitChoosesTheLeftHalfSets)
{
    // 4946122000923: leading 4 → parity ABAABB over 9 4 6 1 2 2; right half 0 0 0 9 2 3 in set C.
    const QString expected = kStart + kA.at('9') + kB.at('4') + kA.at('6') + kA.at('1') + kB.at('2') +
                             kB.at('2') + kCentre + kC.at('0') + kC.at('0') + kC.at('0') + kC.at('9') +
                             kC.at('2') + kC.at('3') + kEnd;
    EXPECT_EQ(encodeJan(QStringLiteral("494612200092")).pattern, expected);
}

TEST(JanVectors, Ean13WithLeadingZeroIsAllSetA)
{
    // 0123456789012 (UPC-A 012345678905 as EAN-13): parity AAAAAA.
    const QString code = QStringLiteral("012345678901");
    const QString full = code + QChar(u'0' + Mod10CheckDigit(code));
    ASSERT_EQ(full, QStringLiteral("0123456789012"));
    QString expected = kStart;
    for (int i = 1; i <= 6; ++i)
        expected += kA.at(full[i].toLatin1());
    expected += kCentre;
    for (int i = 7; i <= 12; ++i)
        expected += kC.at(full[i].toLatin1());
    expected += kEnd;
    EXPECT_EQ(encodeJan(code).pattern, expected);
}

TEST(JanVectors, Ean13ParityOfEveryLeadingDigit)
{
    // GS1 table of number sets for the left half by leading digit.
    const char* parities[] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                              "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
    for (int lead = 0; lead < 10; ++lead) {
        const QString code = QString::number(lead) + QStringLiteral("11111111111");
        const QString pattern = encodeJan(code).pattern;
        for (int k = 0; k < 6; ++k) {
            const QString& set = parities[lead][k] == 'A' ? kA.at('1') : kB.at('1');
            EXPECT_EQ(pattern.mid(3 + 7 * k, 7), set) << "leading " << lead << " character " << k;
        }
    }
}

TEST(JanVectors, Ean8HasFourSetACharactersAndFourSetC)
{
    // 49012347
    const QString expected = kStart + kA.at('4') + kA.at('9') + kA.at('0') + kA.at('1') + kCentre +
                             kC.at('2') + kC.at('3') + kC.at('4') + kC.at('7') + kEnd;
    EXPECT_EQ(encodeJan(QStringLiteral("4901234")).pattern, expected);
}

// --- element widths ---

TEST(ElementWidth, ModuleDigitsAndTwoWidthRatio)
{
    for (int d = 0; d <= 7; ++d)
        EXPECT_EQ(elementPixelWidth(d, 5, 30, cbarJAN), (d / 2 + 1) * 5) << d;
    // Two-width: the wide element is Scale x ElementRatio / 10, truncated.
    EXPECT_EQ(elementPixelWidth(3, 1, 20, cbarCODE39), 2);
    EXPECT_EQ(elementPixelWidth(3, 1, 25, cbarCODE39), 2);
    EXPECT_EQ(elementPixelWidth(3, 1, 30, cbarCODE39), 3);
    EXPECT_EQ(elementPixelWidth(2, 2, 25, cbarITF), 5);
    EXPECT_EQ(elementPixelWidth(3, 2, 30, cbarNEC), 6);
    EXPECT_EQ(elementPixelWidth(3, 3, 25, cbarNW7), 7);
    EXPECT_EQ(elementPixelWidth(1, 3, 25, cbarNW7), 3);
    EXPECT_EQ(elementPixelWidth(3, 3, 30, cbarCTF), 9);
    // Module symbologies ignore the ratio.
    EXPECT_EQ(elementPixelWidth(3, 3, 30, cbarCODE128), 6);
    EXPECT_EQ(elementPixelWidth(7, 1, 30, cbarCODE93), 4);
}

TEST(ElementWidth, PatternWidthOfJanIsModulesTimesScale)
{
    const QString pattern = encodeJan(QStringLiteral("494612200092")).pattern;
    EXPECT_EQ(patternPixelWidth(pattern, 5, 25, cbarJAN), 480);
    EXPECT_EQ(patternPixelWidth(pattern, 1, 30, cbarJAN), 96);
}

} // namespace
} // namespace korbena
