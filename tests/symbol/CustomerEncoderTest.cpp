// The Japan Post customer barcode. Expected patterns are assembled from the
// character table of the Japan Post customer barcode manual, typed here as bar
// states: F long (full), A ascender, D descender, T timing.
#include "TestSupport.h"
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

#include <map>

namespace korbena {
namespace {

using test::rowBits;

const std::map<QString, const char*> kBars = {
    {"0", "FTT"},   {"1", "FFT"},    {"2", "FDA"},   {"3", "DFA"},   {"4", "FAD"},   {"5", "FTF"},
    {"6", "DAF"},   {"7", "AFD"},    {"8", "ADF"},   {"9", "TFF"},   {"-", "TFT"},   {"CC1", "DAT"},
    {"CC2", "DTA"}, {"CC3", "ADT"},  {"CC4", "TDA"}, {"CC5", "ATD"}, {"CC6", "TAD"}, {"CC7", "TTF"},
    {"CC8", "FFF"}, {"start", "FD"}, {"stop", "DF"},
};

// Each bar as its mask (4 upper, 2 middle, 1 lower third) and the gap after it.
QString masks(const char* states)
{
    QString p;
    for (const char* s = states; *s; ++s) {
        const char mask = *s == 'F' ? '7' : *s == 'A' ? '6' : *s == 'D' ? '3' : '2';
        p += QChar(u'0' + (mask - '0'));
        p += u'0';
    }
    return p;
}

// The symbol of the named characters: empty column, start, characters, stop, empty column.
QString symbol(std::initializer_list<const char*> characters)
{
    QString p = QStringLiteral("00") + masks(kBars.at("start"));
    for (const char* c : characters)
        p += masks(kBars.at(QString::fromLatin1(c)));
    return p + masks(kBars.at("stop")) + QStringLiteral("00");
}

QString spaces(int n)
{
    return QString(n, u' ');
}

// --- limits ---

TEST(CustomerLimits, TwentyCharactersAreProducedAtMost)
{
    EXPECT_FALSE(encodeCustomer(QString()).ok());
    // 20 data characters, the check character, start and stop: 67 bars.
    EXPECT_EQ(encodeCustomer(QStringLiteral("12345678901234567890")).pattern.size(), 138);
    EXPECT_EQ(encodeCustomer(QStringLiteral("123456789012345678901")).pattern,
              encodeCustomer(QStringLiteral("12345678901234567890")).pattern);
    EXPECT_EQ(encodeCustomer(QStringLiteral("ZZZZZZZZZZZ")).pattern.size(), 138);
    // A lower-case letter is skipped, and only 20 input characters are looked at: 19 characters.
    EXPECT_EQ(encodeCustomer(QStringLiteral("123a")).pattern.size(), 132);
}

TEST(CustomerLimits, WidthFromTheFirstBarToTheLastPlusTheLeadingColumn)
{
    EXPECT_EQ(customerPatternWidth(encodeCustomer(QStringLiteral("1234567")).pattern, 1), 134);
    EXPECT_EQ(customerPatternWidth(encodeCustomer(QStringLiteral("1234567")).pattern, 3), 402);
    EXPECT_EQ(customerPatternWidth(encodeCustomer(QStringLiteral("123a")).pattern, 1), 128);
    EXPECT_EQ(customerPatternWidth(u"0000", 5), 0);
    EXPECT_EQ(customerPatternWidth(u"", 5), 0);
    EXPECT_EQ(customerPatternWidth(u"0020", 5), 10);
}

// --- human-readable text ---

TEST(CustomerText, PaddedAddressAndTheCheckCharacter)
{
    struct Case
    {
        QString code;
        int check;
        QString workSymbol;
    };
    const Case cases[] = {
        // 1+2+...+7 = 28, 13 fills of 14: 210, 19 - 210 mod 19 = 18 (control code 8, shown as a space).
        {QStringLiteral("1234567"), 18, QStringLiteral("1234567") + spaces(13) + u' '},
        // 4 + 10 + 8 + 10 + 2 + 15 x 14 = 244: 3.
        {QStringLiteral("4-8-2"), 3, QStringLiteral("4-8-2") + spaces(15) + u'3'},
        // control code 1 (11), 0, 18 fills: 263: 3.
        {QStringLiteral("A"), 3, QStringLiteral("A") + spaces(19) + u'3'},
        // 10 x (13 + 5) = 180: 10, the hyphen.
        {QStringLiteral("ZZZZZZZZZZ"), 10, QStringLiteral("ZZZZZZZZZZ") + spaces(10) + u'-'},
        // 19 digits (90) and a fill for the letter with room for one character only: 104: 10.
        {QStringLiteral("1234567890123456789A"), 10, QStringLiteral("1234567890123456789A-")},
    };
    for (const Case& c : cases) {
        const Encoding e = encodeCustomer(c.code);
        EXPECT_EQ(e.cdn, c.check) << c.code.toStdString();
        EXPECT_EQ(e.workSymbol, c.workSymbol) << c.code.toStdString();
        EXPECT_EQ(e.symbol, c.workSymbol);
    }
    BarImage bar;
    bar.SetBarType(cbarCUSTOMER);
    bar.SetCode(QStringLiteral("4-8-2"));
    EXPECT_EQ(bar.CDC(), QStringLiteral("3"));
    EXPECT_EQ(bar.CDN(), 3);
    bar.SetCode(QStringLiteral("1234567"));
    EXPECT_EQ(bar.CDC(), QStringLiteral(" "));
}

// --- rejected and skipped input ---

TEST(CustomerRejected, CharactersWithoutACustomerCharacterAreLeftOut)
{
    // Lower case, signs and characters beyond ASCII produce nothing but use up one of
    // the 20 places looked at: 1 2 3 and 14 fills, 6 + 196 = 202, check 7.
    const Encoding e = encodeCustomer(QStringLiteral("1a2#3ー"));
    EXPECT_EQ(e.pattern, symbol({"1", "2", "3", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4",
                                 "CC4", "CC4", "CC4", "CC4", "CC4", "7"}));
    EXPECT_EQ(e.workSymbol, QStringLiteral("1a2#3ー") + spaces(14) + u'7');
    // Only the empty code has no symbol; the component keeps the last WorkSymbol.
    BarImage bar;
    bar.SetBarType(cbarCUSTOMER);
    bar.SetCode(QStringLiteral("4-8-2"));
    bar.SetCode(QString());
    EXPECT_FALSE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("4-8-2") + spaces(15) + u'3');
}

// --- encode vectors ---

TEST(CustomerVectors, StartCharactersCheckStop)
{
    // "A": control code 1 and 0, 18 fills, check 3.
    EXPECT_EQ(encodeCustomer(QStringLiteral("A")).pattern,
              symbol({"CC1", "0",   "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4",
                      "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "3"}));
    // A postal code with an address number: 263-0023 and 3-30-8-403.
    // 19 + 13 + 18 + 17 + 3 x 14 = 109, 19 - 109 mod 19 = 5.
    EXPECT_EQ(encodeCustomer(QStringLiteral("26300233-30-8-403")).pattern,
              symbol({"2", "6", "3", "0", "0", "2", "3",   "3",   "-",   "3", "0",
                      "-", "8", "-", "4", "0", "3", "CC4", "CC4", "CC4", "5"}));
    // Letters: K = control code 2 and 0, T = control code 2 and 9, U = control code 3 and 0.
    // 12 + 0 + 12 + 9 + 13 + 0 + 7 + 13 x 14 = 235, 19 - 235 mod 19 = 12: control code 2.
    EXPECT_EQ(encodeCustomer(QStringLiteral("KTU7")).pattern,
              symbol({"CC2", "0",   "CC2", "9",   "CC3", "0",   "7",   "CC4", "CC4", "CC4", "CC4",
                      "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC4", "CC2"}));
}

// --- drawing ---

TEST(CustomerDrawing, ThirdsOfTheBarAreaAndBarHeightIsOverwritten)
{
    BarImage bar;
    bar.SetBarEnabled(false);
    bar.SetScale(2);
    bar.SetSymbolDisp(false);
    bar.SetMatch(true);
    bar.SetBarSpaceUp(3);
    bar.SetBarHeight(50);
    bar.SetBarType(cbarCUSTOMER);
    bar.SetCode(QStringLiteral("4-8-2"));
    bar.SetBarEnabled(true);
    ASSERT_TRUE(bar.BarDisped());
    EXPECT_EQ(bar.BarWidth(), 268);
    EXPECT_EQ(bar.BarHeight(), 12);
    EXPECT_EQ(bar.Width(), 10 + 268 + 10);
    EXPECT_EQ(bar.Height(), 3 + 12);

    // Per module column, from the empty one before the first bar, whether the
    // upper, middle and lower thirds are painted.
    QString states =
        QStringLiteral("FD") + kBars.at("4") + kBars.at("-") + kBars.at("8") + kBars.at("-") + kBars.at("2");
    for (int i = 0; i < 15; ++i)
        states += kBars.at("CC4");
    states += kBars.at("3") + QString::fromLatin1(kBars.at("stop"));
    auto row = [&](const char* painted) {
        QString columns = QStringLiteral("0");
        for (const QChar s : states)
            columns += QString(QChar(QByteArray(painted).contains(s.toLatin1()) ? u'1' : u'0')) + u'0';
        columns.chop(1); // the width ends at the last bar
        QString pixels;
        for (const QChar c : columns)
            pixels += QString(2, c);
        return pixels;
    };
    const QImage& image = bar.Picture().bitmap()->image();
    for (const int y : {3, 6})
        EXPECT_EQ(rowBits(image, y, 10, 278), row("FA")) << y;
    for (const int y : {7, 10})
        EXPECT_EQ(rowBits(image, y, 10, 278), row("FADT")) << y;
    for (const int y : {11, 14})
        EXPECT_EQ(rowBits(image, y, 10, 278), row("FD")) << y;
    EXPECT_EQ(rowBits(image, 2, 0, 288), QString(288, u'0'));

    // BarHeight does not repaint a customer barcode; the next painting overwrites it
    // with the bar area and the text line.
    int paints = 0;
    bar.OnPaintBar = [&](BarImage&, bool) { ++paints; };
    bar.SetBarHeight(80);
    EXPECT_EQ(paints, 0);
    bar.SetSymbolDisp(true);
    const int textHeight = bar.Height() - 3 - 12;
    EXPECT_GT(textHeight, 0);
    EXPECT_EQ(bar.BarHeight(), 12 + textHeight);
}

} // namespace
} // namespace korbena
