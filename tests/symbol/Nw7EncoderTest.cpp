// NW-7 (Codabar). Expected patterns are assembled from the Codabar character
// table, typed here in its wide/narrow form: four bars and three spaces per
// character, 'w' wide and 'n' narrow, then the narrow gap.
#include "TestSupport.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

QString character(const char* elements)
{
    QString p;
    for (int i = 0; i < 7; ++i) {
        const bool wide = elements[i] == 'w';
        p += i % 2 == 0 ? (wide ? u'3' : u'1') : (wide ? u'2' : u'0');
    }
    return p + u'0';
}

const QString kCharA = character("nnwwnwn");
const QString kCharB = character("nwnwnnw");
const QString kCharC = character("nnnwnww");
const QString kChar0 = character("nnnnnww");
const QString kChar1 = character("nnnnwwn");
const QString kChar2 = character("nnnwnnw");
const QString kChar3 = character("wwnnnnn");
const QString kChar7 = character("nwnnwnn");
const QString kDash = character("nnnwwnn");
const QString kSlash = character("wnwnnnw");

EncodeOptions options(bool cd, char16_t start = u'A', char16_t stop = u'A')
{
    EncodeOptions o;
    o.cd = cd;
    o.startChar = start;
    o.stopChar = stop;
    return o;
}

// --- limits ---

TEST(Nw7Limits, EightDigitsPerCharacter)
{
    EXPECT_FALSE(encodeNw7(QString(), options(true)).ok());
    EXPECT_EQ(encodeNw7(QStringLiteral("1"), options(false)).pattern.size(), 24);
    EXPECT_EQ(encodeNw7(QStringLiteral("1234567890"), options(true)).pattern.size(), 8 * 13);
}

// --- human-readable text ---

TEST(Nw7Text, StartDataCheckStopAndCdc)
{
    BarImage bar;
    bar.SetBarType(cbarNW7);
    bar.SetCD(true);
    bar.SetCode(QStringLiteral("123"));
    // 16 + 6 + 16 = 38, 38 mod 16 = 6, 16 - 6 = 10: '-'.
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("A123-A"));
    EXPECT_EQ(bar.Symbol(), QStringLiteral("A123-A"));
    EXPECT_EQ(bar.CDN(), 10);
    EXPECT_EQ(bar.CDC(), QStringLiteral("-"));

    // 17 + 6 + 18 = 41, r 9, check 7. Changing the stop character redraws.
    bar.SetStartChar(u'B');
    bar.SetStopChar(u'C');
    EXPECT_EQ(bar.Symbol(), QStringLiteral("B1237C"));
    EXPECT_EQ(bar.CDN(), 7);
    bar.SetStopChar(u'*'); // stored as A
    EXPECT_EQ(bar.Symbol(), QStringLiteral("B1239A"));
}

TEST(Nw7Text, CheckValuesAtTheEdgesOfModulo16)
{
    // 16 + 0 + 16 = 32: r 0, check 0.
    EXPECT_EQ(encodeNw7(QStringLiteral("0"), options(true)).workSymbol, QStringLiteral("A00A"));
    // Letters inside the data count with their values: 16 + (1 + 16 + 2) + 16 = 51, r 3, check 13: '/'.
    const Encoding letters = encodeNw7(QStringLiteral("1A2"), options(true));
    EXPECT_EQ(letters.workSymbol, QStringLiteral("A1A2/A"));
    EXPECT_EQ(letters.cdn, 13);
    EXPECT_EQ(encodeNw7(QStringLiteral("123"), options(false)).cdn, -1);
}

TEST(Nw7Text, StartOrStopOutsideAToDStandsForA)
{
    EXPECT_EQ(encodeNw7(QStringLiteral("1"), options(false, u'E', u'a')).workSymbol, QStringLiteral("A1A"));
    EXPECT_EQ(encodeNw7(QStringLiteral("1"), options(false, u'D', u'B')).workSymbol, QStringLiteral("D1B"));
}

// --- rejected input ---

TEST(Nw7Rejected, CharactersOutsideTheAlphabet)
{
    BarImage bar;
    bar.SetBarType(cbarNW7);
    bar.SetCode(QStringLiteral("12"));
    for (const QString& code : {QStringLiteral("abc"), QStringLiteral("12E"), QStringLiteral("1 2"),
                                QStringLiteral("１２"), QStringLiteral("12*")}) {
        EXPECT_FALSE(encodeNw7(code, options(true)).ok()) << code.toStdString();
        bar.SetCode(code);
        EXPECT_FALSE(bar.BarDisped());
        EXPECT_TRUE(bar.Symbol().isEmpty());
        EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("A12A"));
    }
}

// --- encode vectors ---

TEST(Nw7Vectors, StartDataCheckStop)
{
    EXPECT_EQ(encodeNw7(QStringLiteral("123"), options(true)).pattern,
              kCharA + kChar1 + kChar2 + kChar3 + kDash + kCharA);
    EXPECT_EQ(encodeNw7(QStringLiteral("123"), options(true, u'B', u'C')).pattern,
              kCharB + kChar1 + kChar2 + kChar3 + kChar7 + kCharC);
    EXPECT_EQ(encodeNw7(QStringLiteral("0/"), options(false)).pattern, kCharA + kChar0 + kSlash + kCharA);
}

} // namespace
} // namespace korbena
