// CODE-39. Expected patterns are assembled from the character table of ISO/IEC
// 16388 (table 1), typed here in its wide/narrow form: five bars and four spaces
// per character, 'w' wide and 'n' narrow, then the narrow gap.
#include "TestSupport.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// b s b s b s b s b in ISO/IEC 16388's order, as pattern digits, with the gap.
QString character(const char* elements)
{
    QString p;
    for (int i = 0; i < 9; ++i) {
        const bool wide = elements[i] == 'w';
        p += i % 2 == 0 ? (wide ? u'3' : u'1') : (wide ? u'2' : u'0');
    }
    return p + u'0';
}

const QString kStar = character("nwnnwnwnn");
const QString kCharA = character("wnnnnwnnw");
const QString kCharB = character("nnwnnwnnw");
const QString kCharC = character("wnwnnwnnn");
const QString kCharX = character("nwnnwnnnw");
const QString kChar0 = character("nnnwwnwnn");
const QString kCharZ = character("nwwnwnnnn");
const QString kChar8 = character("wnnwnnwnn");
const QString kSpace = character("nwwnnnwnn");
const QString kDollar = character("nwnwnwnnn");
const QString kPercent = character("nnnwnwnwn");

EncodeOptions withCd(bool cd)
{
    EncodeOptions o;
    o.cd = cd;
    return o;
}

// --- limits ---

TEST(Code39Limits, TenDigitsPerCharacterAndWidthAtEachRatio)
{
    EXPECT_FALSE(encodeCode39(QString()).ok());
    EXPECT_EQ(encodeCode39(QStringLiteral("A"), withCd(false)).pattern.size(), 30);
    EXPECT_EQ(encodeCode39(QStringLiteral("ABCDEFGHIJ"), withCd(true)).pattern.size(), 130);

    // Each character: seven narrow units and three wide elements.
    BarImage bar;
    bar.SetBarEnabled(false);
    bar.SetSymbolDisp(false);
    bar.SetMatch(true);
    bar.SetBarType(cbarCODE39);
    bar.SetCode(QStringLiteral("A"));
    bar.SetBarEnabled(true);
    EXPECT_EQ(bar.BarWidth(), 3 * 13);
    bar.SetElementRatio(30);
    EXPECT_EQ(bar.BarWidth(), 3 * 16);
}

// --- human-readable text ---

TEST(Code39Text, AsterisksAndTheCheckCharacterAreShown)
{
    BarImage bar;
    bar.SetBarType(cbarCODE39);
    bar.SetCD(true);
    bar.SetCode(QStringLiteral("ABC"));
    // 10 + 11 + 12 = 33: X.
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("*ABCX*"));
    EXPECT_EQ(bar.Symbol(), QStringLiteral("*ABCX*"));
    EXPECT_EQ(bar.CDN(), 33);
    EXPECT_EQ(bar.CDC(), QStringLiteral("X"));
    bar.SetCD(false);
    EXPECT_EQ(bar.Symbol(), QStringLiteral("*ABC*"));
    EXPECT_EQ(bar.CDN(), -1);
    EXPECT_TRUE(bar.CDC().isEmpty());
}

TEST(Code39Text, CheckValuesAtTheEdgesOfModulo43)
{
    EXPECT_EQ(encodeCode39(QStringLiteral("Z8"), withCd(true)).workSymbol, QStringLiteral("*Z80*")); // 35 + 8
    EXPECT_EQ(encodeCode39(QStringLiteral("Z7"), withCd(true)).workSymbol, QStringLiteral("*Z7%*")); // 42
    // A space is data (38): 10 + 38 + 11 = 59, 59 - 43 = 16: G.
    const Encoding spaced = encodeCode39(QStringLiteral("A B"), withCd(true));
    EXPECT_EQ(spaced.workSymbol, QStringLiteral("*A BG*"));
    EXPECT_EQ(spaced.cdn, 16);
}

// --- rejected input ---

TEST(Code39Rejected, LowerCaseAsteriskAndOtherSigns)
{
    BarImage bar;
    bar.SetBarType(cbarCODE39);
    bar.SetCode(QStringLiteral("OK"));
    for (const QString& code : {QStringLiteral("abc"), QStringLiteral("A*B"), QStringLiteral("A_B"),
                                QStringLiteral("ＡＢＣ"), QStringLiteral("ÄB"), QStringLiteral("AB\n")}) {
        EXPECT_FALSE(encodeCode39(code, withCd(true)).ok()) << code.toStdString();
        bar.SetCode(code);
        EXPECT_FALSE(bar.BarDisped());
        EXPECT_TRUE(bar.Symbol().isEmpty());
        EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("*OK*"));
    }
}

// --- encode vectors ---

TEST(Code39Vectors, StartDataCheckStop)
{
    EXPECT_EQ(encodeCode39(QStringLiteral("ABC"), withCd(true)).pattern,
              kStar + kCharA + kCharB + kCharC + kCharX + kStar);
    EXPECT_EQ(encodeCode39(QStringLiteral("ABC"), withCd(false)).pattern,
              kStar + kCharA + kCharB + kCharC + kStar);
    EXPECT_EQ(encodeCode39(QStringLiteral("Z8"), withCd(true)).pattern,
              kStar + kCharZ + kChar8 + kChar0 + kStar);
    // The four all-narrow-bar characters and the space.
    EXPECT_EQ(encodeCode39(QStringLiteral("$ %"), withCd(false)).pattern,
              kStar + kDollar + kSpace + kPercent + kStar);
}

} // namespace
} // namespace korbena
