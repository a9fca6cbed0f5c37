// UPC-A and UPC-E. Expected patterns are assembled from the number sets and the
// UPC-E set selection of the GS1 General Specifications, typed here independently
// of the encoder's tables; the UPC-E/UPC-A pairs follow GS1's zero-suppression rules.
#include "TestSupport.h"
#include "symbol/BarImage.h"
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
const QString kUpcAEnd = QStringLiteral("1010");    // end guard and one space module
const QString kUpcEEnd = QStringLiteral("0101010"); // UPC-E end guard and one space module

// A component at Scale 1 without text, drawing UPC.
struct UpcBar
{
    BarImage bar;
    UpcBar()
    {
        bar.SetBarEnabled(false);
        bar.SetSymbolDisp(false);
        bar.SetMatch(true);
        bar.SetBarType(cbarUPC);
        bar.SetBarEnabled(true);
    }
};

// --- limits ---

TEST(UpcLimits, SevenOrElevenDigitsOnly)
{
    for (const char* code : {"", "012345", "01234555", "0123456789", "012345000057", "01234557"})
        EXPECT_FALSE(encodeUpc(QString::fromLatin1(code)).ok()) << code;
    EXPECT_EQ(encodeUpc(QStringLiteral("01234500005")).pattern.size(), 96);
    EXPECT_EQ(encodeUpc(QStringLiteral("0123455")).pattern.size(), 52);
}

// --- human-readable text ---

TEST(UpcText, CheckDigitOfUpcEIsThatOfItsUpcAForm)
{
    // 0123455 expands to 01234500005: 5x3 + 5 + 4x3 + 3 + 2x3 + 1 = 42, check 8.
    const Encoding e = encodeUpc(QStringLiteral("0123455"));
    EXPECT_EQ(e.workSymbol, QStringLiteral("01234558"));
    EXPECT_EQ(e.symbol, QStringLiteral("01234558"));
    EXPECT_EQ(e.cdn, 8);
    const Encoding a = encodeUpc(QStringLiteral("01234500005"));
    EXPECT_EQ(a.workSymbol, QStringLiteral("012345000058"));
    EXPECT_EQ(a.cdn, 8);
    EncodeOptions off;
    off.cd = false; // the check digit is part of every UPC symbol
    EXPECT_EQ(encodeUpc(QStringLiteral("0123455"), off).workSymbol, QStringLiteral("01234558"));
}

TEST(UpcText, CdcThroughTheComponent)
{
    UpcBar u;
    u.bar.SetCode(QStringLiteral("0123455"));
    EXPECT_EQ(u.bar.Symbol(), QStringLiteral("01234558"));
    EXPECT_EQ(u.bar.CDN(), 8);
    EXPECT_EQ(u.bar.CDC(), QStringLiteral("8"));
}

// --- UPC-E and UPC-A forms ---

TEST(UpcConversion, EachRuleOfZeroSuppressionBothWays)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"0123455", "01234500005"}, // last digit 5..9: manufacturer 12345, product 0000x
        {"0123404", "01234000000"}, // 4: manufacturer 1234, product 0000x
        {"0123353", "01230000035"}, // 3: manufacturer 123, product 000xx
        {"0123410", "01200000341"}, // 0..2: manufacturer 12x00, product 00xxx
    };
    for (const auto& [e, a] : pairs) {
        EXPECT_EQ(UpcEToA(QString::fromLatin1(e)), QString::fromLatin1(a)) << e;
        EXPECT_EQ(UpcAToE(QString::fromLatin1(a)), QString::fromLatin1(e)) << a;
    }
}

TEST(UpcConversion, CodesWithoutAnotherForm)
{
    for (const char* e : {"1234567", "0120003", "0123405", "0100004", "012345", "01234555", "012345x"})
        EXPECT_TRUE(UpcEToA(QString::fromLatin1(e)).isEmpty()) << e;
    for (const char* a : {"01234567890", "11234500005", "01234500015", "0123450000", "0123450000x"})
        EXPECT_TRUE(UpcAToE(QString::fromLatin1(a)).isEmpty()) << a;
}

TEST(UpcConversion, RepaintTurnsTheCodeIntoTheOtherFormWithoutCodeEvents)
{
    UpcBar u;
    int codeEvents = 0;
    u.bar.OnChangeCode = [&](BarImage&, bool) { ++codeEvents; };
    u.bar.SetCode(QStringLiteral("01234500005"));
    codeEvents = 0;
    u.bar.RepaintUPCA2E();
    EXPECT_EQ(u.bar.Code(), QStringLiteral("0123455"));
    EXPECT_TRUE(u.bar.BarDisped());
    EXPECT_EQ(u.bar.WorkSymbol(), QStringLiteral("01234558"));
    EXPECT_EQ(u.bar.BarWidth(), 52);
    u.bar.RepaintUPCE2A();
    EXPECT_EQ(u.bar.Code(), QStringLiteral("01234500005"));
    EXPECT_EQ(u.bar.BarWidth(), 96);
    EXPECT_EQ(codeEvents, 0);

    // No UPC-E form: the code stays, the old symbol stays drawn, BarDisped drops.
    u.bar.SetCode(QStringLiteral("01234567890"));
    u.bar.RepaintUPCA2E();
    EXPECT_EQ(u.bar.Code(), QStringLiteral("01234567890"));
    EXPECT_FALSE(u.bar.BarDisped());
    EXPECT_TRUE(u.bar.Picture().hasGraphic());
}

// --- rejected input ---

TEST(UpcRejected, EmptyPatternAndWorkSymbolOfTheLastSuccessStays)
{
    UpcBar u;
    u.bar.SetCode(QStringLiteral("0123455"));
    for (const QString& code :
         {QStringLiteral("1234567"), QStringLiteral("0120003"), QStringLiteral("012345a"),
          QStringLiteral("０１２３４５５"), QStringLiteral("0123 55")}) {
        EXPECT_FALSE(encodeUpc(code).ok()) << code.toStdString();
        u.bar.SetCode(code);
        EXPECT_FALSE(u.bar.BarDisped());
        EXPECT_TRUE(u.bar.Symbol().isEmpty());
        EXPECT_EQ(u.bar.CDN(), -1);
        EXPECT_EQ(u.bar.WorkSymbol(), QStringLiteral("01234558"));
    }
}

// --- encode vectors ---

TEST(UpcVectors, UpcAIsSixSetACharactersAndSixSetC)
{
    // 012345000058
    const QString expected = kStart + kA.at('0') + kA.at('1') + kA.at('2') + kA.at('3') + kA.at('4') +
                             kA.at('5') + kCentre + kC.at('0') + kC.at('0') + kC.at('0') + kC.at('0') +
                             kC.at('5') + kC.at('8') + kUpcAEnd;
    EXPECT_EQ(encodeUpc(QStringLiteral("01234500005")).pattern, expected);
    // The same bars as the EAN-13 symbol with a leading 0.
    EXPECT_EQ(encodeJan(QStringLiteral("001234500005")).pattern, expected);
}

TEST(UpcVectors, UpcESetsFollowTheCheckDigit)
{
    // 0123455, check 8: sets B A B A A B over 1 2 3 4 5 5.
    const QString check8 =
        kStart + kB.at('1') + kA.at('2') + kB.at('3') + kA.at('4') + kA.at('5') + kB.at('5') + kUpcEEnd;
    EXPECT_EQ(encodeUpc(QStringLiteral("0123455")).pattern, check8);

    // 0123435 expands to 01234300005: 15 + 3 + 12 + 3 + 6 + 1 = 40, check 0: B B B A A A.
    const Encoding zero = encodeUpc(QStringLiteral("0123435"));
    EXPECT_EQ(zero.cdn, 0);
    const QString check0 =
        kStart + kB.at('1') + kB.at('2') + kB.at('3') + kA.at('4') + kA.at('3') + kA.at('5') + kUpcEEnd;
    EXPECT_EQ(zero.pattern, check0);
}

} // namespace
} // namespace korbena
