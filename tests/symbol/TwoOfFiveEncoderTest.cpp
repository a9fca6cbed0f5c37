// The two-of-five family: interleaved (ISO/IEC 16390), industrial, IATA, matrix and
// NEC. Expected patterns are assembled from the two-of-five digit code typed here
// in its wide/narrow form, and from each member's start and stop.
#include "TestSupport.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// The usual two-of-five code (ISO/IEC 16390 table 1), and NEC's assignment of it.
const char* const kCode[10] = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
                               "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};
const char* const kNecCode[10] = {"wwnnn", "nnnww", "nnwnw", "nnwwn", "nwnnw",
                                  "nwnwn", "nwwnn", "wnnnw", "wnnwn", "wnwnn"};

QChar bar(char e)
{
    return e == 'w' ? u'3' : u'1';
}
QChar space(char e)
{
    return e == 'w' ? u'2' : u'0';
}

// Interleaved: bars of the first digit, spaces of the second, in turn.
QString pair(int first, int second)
{
    QString p;
    for (int k = 0; k < 5; ++k)
        p += QString(bar(kCode[first][k])) + space(kCode[second][k]);
    return p;
}
// Industrial and IATA: five bars, each with a narrow space.
QString barsOnly(int digit)
{
    QString p;
    for (int k = 0; k < 5; ++k)
        p += QString(bar(kCode[digit][k])) + u'0';
    return p;
}
// Matrix and NEC: bar, space, bar, space, bar and the gap.
QString alternating(const char* code)
{
    return QString(bar(code[0])) + space(code[1]) + bar(code[2]) + space(code[3]) + bar(code[4]) + u'0';
}

EncodeOptions withCd(bool cd)
{
    EncodeOptions o;
    o.cd = cd;
    return o;
}

// A component at Scale 1 without text.
struct TwoOfFiveBar
{
    BarImage bar;
    explicit TwoOfFiveBar(TBarTypes type)
    {
        bar.SetBarEnabled(false);
        bar.SetSymbolDisp(false);
        bar.SetMatch(true);
        bar.SetBarType(type);
        bar.SetBarEnabled(true);
    }
};

// --- limits ---

TEST(TwoOfFiveLimits, DigitWidthsFollowScaleAndRatio)
{
    // A matrix digit at Scale 1, ratio 20: 4 narrow + 2 wide = 8 pixels.
    TwoOfFiveBar matrix(cbarMATRIX);
    matrix.bar.SetCode(QStringLiteral("1"));
    const int one = matrix.bar.BarWidth();
    matrix.bar.SetCode(QStringLiteral("11"));
    EXPECT_EQ(matrix.bar.BarWidth() - one, 8);

    // An ITF pair at Scale 2, ratio 25: 6 x 2 + 4 x 5 = 32 pixels.
    TwoOfFiveBar itf(cbarITF);
    itf.bar.SetScale(2);
    itf.bar.SetElementRatio(25);
    itf.bar.SetCode(QStringLiteral("12"));
    const int onePair = itf.bar.BarWidth();
    itf.bar.SetCode(QStringLiteral("1234"));
    EXPECT_EQ(itf.bar.BarWidth() - onePair, 32);
}

// --- human-readable text ---

TEST(TwoOfFiveText, ItfLeadingZeroMakesTheDigitCountEven)
{
    const Encoding off = encodeItf(QStringLiteral("123"), withCd(false));
    EXPECT_EQ(off.workSymbol, QStringLiteral("0123"));
    EXPECT_EQ(off.cdn, -1);
    // 3x3 + 2 + 1x3 = 14: check 6, four digits without a leading 0.
    const Encoding on = encodeItf(QStringLiteral("123"), withCd(true));
    EXPECT_EQ(on.workSymbol, QStringLiteral("1236"));
    EXPECT_EQ(on.cdn, 6);

    TwoOfFiveBar itf(cbarITF);
    itf.bar.SetCD(true);
    itf.bar.SetCode(QStringLiteral("1234")); // 01234: 12 + 3 + 6 + 1 = 22, check 8
    EXPECT_EQ(itf.bar.WorkSymbol(), QStringLiteral("012348"));
    EXPECT_EQ(itf.bar.CDC(), QStringLiteral("8"));
    itf.bar.SetCD(false);
    EXPECT_EQ(itf.bar.WorkSymbol(), QStringLiteral("1234"));
    EXPECT_TRUE(itf.bar.CDC().isEmpty());
}

TEST(TwoOfFiveText, IataAlwaysCarriesItsCheckDigit)
{
    TwoOfFiveBar iata(cbarIATA);
    iata.bar.SetCD(false);
    iata.bar.SetCode(QStringLiteral("123"));
    EXPECT_EQ(iata.bar.Symbol(), QStringLiteral("1236"));
    EXPECT_EQ(iata.bar.CDN(), 6);
    EXPECT_EQ(iata.bar.CDC(), QStringLiteral("6"));
    int paints = 0;
    iata.bar.OnPaintBar = [&](BarImage&, bool) { ++paints; };
    iata.bar.SetCD(true);
    EXPECT_EQ(paints, 0);
}

TEST(TwoOfFiveText, OtherMembersAddNoLeadingZero)
{
    for (auto encode : {encodeCtf, encodeMatrix, encodeNec}) {
        const Encoding off = encode(QStringLiteral("123"), withCd(false));
        EXPECT_EQ(off.workSymbol, QStringLiteral("123"));
        EXPECT_EQ(off.cdn, -1);
        EXPECT_EQ(encode(QStringLiteral("12"), withCd(true)).workSymbol, QStringLiteral("123")); // 6 + 1
        EXPECT_EQ(encode(QStringLiteral("1234567"), withCd(true)).workSymbol, QStringLiteral("12345670"));
    }
}

// --- rejected input ---

TEST(TwoOfFiveRejected, EmptyOrNonDigit)
{
    for (const TBarTypes type : {cbarITF, cbarCTF, cbarIATA, cbarMATRIX, cbarNEC}) {
        TwoOfFiveBar t(type);
        t.bar.SetCode(QStringLiteral("42"));
        const QString kept = t.bar.WorkSymbol();
        ASSERT_FALSE(kept.isEmpty());
        for (const QString& code : {QString(), QStringLiteral("12a"), QStringLiteral("1 2"),
                                    QStringLiteral("１２"), QStringLiteral("-12"), QStringLiteral("12.0")}) {
            t.bar.SetCode(code);
            EXPECT_FALSE(t.bar.BarDisped()) << type << " " << code.toStdString();
            EXPECT_TRUE(t.bar.Symbol().isEmpty());
            EXPECT_EQ(t.bar.CDN(), -1);
            EXPECT_EQ(t.bar.WorkSymbol(), kept);
        }
    }
}

// --- encode vectors ---

TEST(TwoOfFiveVectors, ItfPairs)
{
    EXPECT_EQ(pair(1, 2), QStringLiteral("3012101032"));
    EXPECT_EQ(pair(0, 0), QStringLiteral("1010323210"));
    EXPECT_EQ(encodeItf(QStringLiteral("123"), withCd(false)).pattern,
              QStringLiteral("1010") + pair(0, 1) + pair(2, 3) + QStringLiteral("301"));
    EXPECT_EQ(encodeItf(QStringLiteral("123"), withCd(true)).pattern,
              QStringLiteral("1010") + pair(1, 2) + pair(3, 6) + QStringLiteral("301"));
}

TEST(TwoOfFiveVectors, IndustrialAndIata)
{
    EXPECT_EQ(encodeCtf(QStringLiteral("123"), withCd(false)).pattern,
              QStringLiteral("303010") + barsOnly(1) + barsOnly(2) + barsOnly(3) + QStringLiteral("30103"));
    EXPECT_EQ(encodeIata(QStringLiteral("123"), withCd(false)).pattern,
              QStringLiteral("1010") + barsOnly(1) + barsOnly(2) + barsOnly(3) + barsOnly(6) +
                  QStringLiteral("301"));
}

TEST(TwoOfFiveVectors, MatrixAndNec)
{
    EXPECT_EQ(encodeMatrix(QStringLiteral("907"), withCd(false)).pattern,
              QStringLiteral("301010") + alternating(kCode[9]) + alternating(kCode[0]) +
                  alternating(kCode[7]) + QStringLiteral("30101"));
    // 1236 with its check digit.
    EXPECT_EQ(encodeNec(QStringLiteral("123"), withCd(true)).pattern,
              QStringLiteral("3030") + alternating(kNecCode[1]) + alternating(kNecCode[2]) +
                  alternating(kNecCode[3]) + alternating(kNecCode[6]) + QStringLiteral("123"));
}

} // namespace
} // namespace korbena
