// CODE-93. Expected patterns are assembled from the bar and space widths
// of the AIM Uniform Symbology Spec. Code 93 (table of the character set),
// typed here again independently of the encoder's table; check values are worked
// out by hand in the comments.
#include "TestSupport.h"
#include "symbol/BarImage.h"
#include "symbol/ElementPattern.h"
#include "symbol/Encoders.h"
#include "symbol/MainBarImage.h"

#include <gtest/gtest.h>

#include <map>

namespace korbena {
namespace {

// AIM USS Code 93: widths of each character (bar, space, bar, space, bar, space).
// clang-format off
const std::map<QString, const char*> kUss = {
    {"0", "131112"}, {"1", "111213"}, {"2", "111312"}, {"3", "111411"}, {"4", "121113"},
    {"5", "121212"}, {"6", "121311"}, {"7", "111114"}, {"8", "131211"}, {"9", "141111"},
    {"A", "211113"}, {"B", "211212"}, {"C", "211311"}, {"D", "221112"}, {"E", "221211"},
    {"F", "231111"}, {"G", "112113"}, {"H", "112212"}, {"I", "112311"}, {"J", "122112"},
    {"K", "132111"}, {"L", "111123"}, {"M", "111222"}, {"N", "111321"}, {"O", "121122"},
    {"P", "131121"}, {"Q", "212112"}, {"R", "212211"}, {"S", "211122"}, {"T", "211221"},
    {"U", "221121"}, {"V", "222111"}, {"W", "112122"}, {"X", "112221"}, {"Y", "122121"},
    {"Z", "123111"}, {"-", "121131"}, {".", "311112"}, {" ", "311211"}, {"$", "321111"},
    {"/", "112131"}, {"+", "113121"}, {"%", "211131"},
    {"($)", "121221"}, {"(%)", "312111"}, {"(/)", "311121"}, {"(+)", "122211"},
};
// clang-format on

// Elements in the digit form of ElementPattern: bar w -> 2w-1, space w -> 2w-2.
QString el(const char* widths)
{
    QString digits;
    for (int i = 0; widths[i] != '\0'; ++i) {
        const int w = widths[i] - '0';
        digits.append(QChar(u'0' + (i % 2 == 0 ? 2 * w - 1 : 2 * w - 2)));
    }
    return digits;
}

QString ch(const char* name)
{
    return el(kUss.at(QString::fromLatin1(name)));
}

const QString kStart = el("111141");
const QString kStop = el("1111411"); // the start/stop character and the termination bar

std::int64_t modules(const QString& pattern)
{
    std::int64_t sum = 0;
    for (const QChar c : pattern)
        sum += (c.unicode() - u'0') / 2 + 1;
    return sum;
}

// =====================================================================
// limits
// =====================================================================

TEST(Code93Limits, EmptyCodeIsNotEncoded)
{
    const Encoding e = encodeCode93(QString());
    EXPECT_FALSE(e.ok());
    EXPECT_EQ(e.cdn, -1);
    EXPECT_FALSE(e.f128Code.has_value());
    EXPECT_FALSE(e.startChar.has_value());
}

TEST(Code93Limits, NineModulesPerCharacterAndTenForTheStop)
{
    for (const char* code :
         {"A", "TEST93", "<+>A", "CODE 93-./$+%", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"}) {
        const Encoding e = encodeCode93(QString::fromLatin1(code));
        ASSERT_TRUE(e.ok()) << code;
        const auto characters = (e.pattern.size() - 7) / 6; // start, data, C, K
        EXPECT_EQ((e.pattern.size() - 7) % 6, 0) << code;
        EXPECT_EQ(modules(e.pattern), 9 * characters + 10) << code;
        EXPECT_TRUE(e.pattern.startsWith(kStart));
        EXPECT_TRUE(e.pattern.endsWith(kStop));
        for (const QChar c : e.pattern)
            EXPECT_TRUE(c >= u'0' && c <= u'7') << code;
    }
}

TEST(Code93Limits, LongCodesRestartTheWeights)
{
    // 21 symbols "1" (value 1): C = (1 + ... + 20) + 1 = 211 = 4 x 47 + 23 ("N");
    // without the restart it would be 231 mod 47 = 43.
    // K over 22 symbols (C rightmost, weight 1): 23 + (2 + ... + 15) + (1 + ... + 7)
    // = 23 + 119 + 28 = 170 = 3 x 47 + 29 ("T").
    const Encoding e21 = encodeCode93(QString(21, u'1'));
    EXPECT_EQ(e21.workSymbol, QStringLiteral("(") + QString(21, u'1') + QStringLiteral("NT)"));
    EXPECT_EQ(e21.cdn, 2923);

    // 15 symbols "1": C = 1 + ... + 15 = 120 = 2 x 47 + 26 ("Q");
    // K = 26 + (2 + ... + 15) + 1 = 146 = 3 x 47 + 5 ("5"): the 15th data symbol from
    // the right is the 16th with C and weighs 1 again.
    const Encoding e15 = encodeCode93(QString(15, u'1'));
    EXPECT_EQ(e15.workSymbol, QStringLiteral("(") + QString(15, u'1') + QStringLiteral("Q5)"));
    EXPECT_EQ(e15.cdn, 526);
}

TEST(Code93Limits, VeryLongCodeIsEncoded)
{
    const Encoding e = encodeCode93(QString(10000, u'Z'));
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.pattern.size(), 6 * (10000 + 3) + 7);
}

// =====================================================================
// human-readable text
// =====================================================================

TEST(Code93Text, Test93ExampleOfThePart)
{
    // Values 29, 14, 28, 29, 9, 3; C = 464 mod 47 = 41 ("+"), K = 617 mod 47 = 6.
    const Encoding e = encodeCode93(QStringLiteral("TEST93"));
    EXPECT_EQ(e.workSymbol, QStringLiteral("(TEST93+6)"));
    EXPECT_EQ(e.symbol, QStringLiteral("(TEST93+6)"));
    EXPECT_EQ(e.cdn, 641);
}

TEST(Code93Text, CheckCharactersOfTheShiftValuesAreWrittenAsEscapes)
{
    // One symbol v: C = v, K = (v + 2v) mod 47.
    // ($) = 43: C = 43 "<$>", K = 129 mod 47 = 35 "Z".
    const Encoding dollar = encodeCode93(QStringLiteral("<$>"));
    EXPECT_EQ(dollar.workSymbol, QStringLiteral("(<$><$>Z)"));
    EXPECT_EQ(dollar.cdn, 3543);
    // (+) = 46: C = 46 "<+>", K = 138 mod 47 = 44 "<%>".
    const Encoding plus = encodeCode93(QStringLiteral("<+>"));
    EXPECT_EQ(plus.workSymbol, QStringLiteral("(<+><+><%>)"));
    EXPECT_EQ(plus.cdn, 4446);
    // (/) = 45: C = 45 "</>", K = 135 mod 47 = 41 "+".
    EXPECT_EQ(encodeCode93(QStringLiteral("</>")).workSymbol, QStringLiteral("(</></>+)"));
}

TEST(Code93Text, ShiftEscapeAndLetterAreKeptAsTyped)
{
    // "<+>A" (the CODE-93 way of writing "a"): (+) = 46, A = 10.
    // C = 10 + 46x2 = 102 mod 47 = 8; K = 8 + 10x2 + 46x3 = 166 mod 47 = 25 ("P").
    const Encoding e = encodeCode93(QStringLiteral("<+>A"));
    EXPECT_EQ(e.workSymbol, QStringLiteral("(<+>A8P)"));
    EXPECT_EQ(e.cdn, 2508);
}

TEST(Code93Text, BothCheckCharactersRegardlessOfCd)
{
    EncodeOptions off;
    off.cd = false;
    EncodeOptions on;
    on.cd = true;
    EXPECT_EQ(encodeCode93(QStringLiteral("TEST93"), off).workSymbol, QStringLiteral("(TEST93+6)"));
    EXPECT_EQ(encodeCode93(QStringLiteral("TEST93"), off).pattern,
              encodeCode93(QStringLiteral("TEST93"), on).pattern);
}

class Code93Component : public ::testing::Test
{
protected:
    void SetUp() override
    {
        configureMainWindowBarImage(bar);
        bar.SetBarType(cbarCODE93);
    }
    BarImage bar;
};

TEST_F(Code93Component, PublishesTextsCdnAndCdc)
{
    bar.SetCode(QStringLiteral("TEST93"));
    ASSERT_TRUE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("(TEST93+6)"));
    EXPECT_EQ(bar.Symbol(), QStringLiteral("(TEST93+6)"));
    EXPECT_EQ(bar.CDN(), 641);
    EXPECT_EQ(bar.CDC(), QStringLiteral("+6")); // without the closing parenthesis
    // Start 9, six characters, C, K (9 each), stop 10 modules, at Scale 5.
    EXPECT_EQ(bar.BarWidth(), (9 + 6 * 9 + 2 * 9 + 10) * 5);

    bar.SetCode(QStringLiteral("<+>"));
    EXPECT_EQ(bar.CDC(), QStringLiteral("<+><%>"));
}

TEST_F(Code93Component, CdSwitchChangesNothing)
{
    bar.SetCode(QStringLiteral("TEST93"));
    const ElementPattern before = bar.LastPattern();
    bar.SetCD(false);
    bar.RepaintBarcode();
    EXPECT_EQ(bar.LastPattern(), before);
    EXPECT_EQ(bar.CDC(), QStringLiteral("+6"));
}

TEST_F(Code93Component, BarsFollowThePatternModuleByModule)
{
    bar.SetScale(1);
    bar.SetCode(QStringLiteral("A"));
    ASSERT_TRUE(bar.BarDisped());
    QString expected;
    for (const QChar d : bar.LastPattern())
        expected += QString((d.unicode() - u'0') / 2 + 1, (d.unicode() - u'0') % 2 == 1 ? u'1' : u'0');
    EXPECT_EQ(expected.size(), 9 * 4 + 10);
    const QImage& image = bar.Picture().bitmap()->image();
    const int left = bar.BarSpaceLeft();
    EXPECT_EQ(test::rowBits(image, 50, left, left + static_cast<int>(expected.size())), expected);
}

// =====================================================================
// rejected input
// =====================================================================

TEST(Code93Rejected, CharactersOutsideTheFortyThree)
{
    for (const QString& code :
         {QStringLiteral("abc"), QStringLiteral("!"), QStringLiteral("#"), QStringLiteral("&"),
          QStringLiteral("@"), QStringLiteral("*"), QStringLiteral("TEST93a"), QStringLiteral("A\tB"),
          QStringLiteral("\u00c4"), QStringLiteral("\uff21"), QString(QChar(0xdc00)), QStringLiteral(">")}) {
        const Encoding e = encodeCode93(code);
        EXPECT_FALSE(e.ok()) << code.toStdString();
        EXPECT_TRUE(e.workSymbol.isEmpty());
        EXPECT_TRUE(e.symbol.isEmpty());
        EXPECT_EQ(e.cdn, -1);
    }
}

TEST(Code93Rejected, EscapesOtherThanTheFourShifts)
{
    for (const char* code : {"<A>", "<", "<$", "A<$", "<$x", "<$$>", "<<$>", "<->", "<%", "< >", "<>"})
        EXPECT_FALSE(encodeCode93(QString::fromLatin1(code)).ok()) << code;
}

TEST(Code93Rejected, ComponentKeepsWorkSymbolOfTheLastSuccess)
{
    BarImage bar;
    configureMainWindowBarImage(bar);
    bar.SetBarType(cbarCODE93);
    bar.SetCode(QStringLiteral("TEST93"));
    ASSERT_TRUE(bar.BarDisped());
    bar.SetCode(QStringLiteral("test93"));
    EXPECT_FALSE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("(TEST93+6)"));
    EXPECT_TRUE(bar.Symbol().isEmpty());
    EXPECT_EQ(bar.CDN(), -1);
    EXPECT_TRUE(bar.CDC().isEmpty()); // "test93" does not occur in the kept WorkSymbol
}

// =====================================================================
// encode vectors
// =====================================================================

TEST(Code93Vectors, Test93OfTheAimSpecification)
{
    // AIM USS Code 93 example "TEST93" with its check characters "+" and "6".
    const QString expected =
        kStart + ch("T") + ch("E") + ch("S") + ch("T") + ch("9") + ch("3") + ch("+") + ch("6") + kStop;
    EXPECT_EQ(encodeCode93(QStringLiteral("TEST93")).pattern, expected);
}

TEST(Code93Vectors, DigitFormsQuotedByThePart)
{
    EXPECT_EQ(ch("0"), QStringLiteral("141012"));
    EXPECT_EQ(ch("A"), QStringLiteral("301014"));
    EXPECT_EQ(ch("%"), QStringLiteral("301050"));
    EXPECT_EQ(ch("($)") + ch("(%)") + ch("(/)") + ch("(+)"), QStringLiteral("121230503010501030123210"));
    EXPECT_EQ(kStart, QStringLiteral("101070"));
    EXPECT_EQ(kStop, QStringLiteral("1010701"));
}

TEST(Code93Vectors, ShiftCharacterBeforeALetter)
{
    // "<+>A": (+), A, C = 8, K = "P".
    EXPECT_EQ(encodeCode93(QStringLiteral("<+>A")).pattern,
              kStart + ch("(+)") + ch("A") + ch("8") + ch("P") + kStop);
    // "<%>A" (full-ASCII ESC): (%) = 44, A = 10;
    // C = 10 + 88 = 98 mod 47 = 4; K = 4 + 20 + 132 = 156 mod 47 = 15 ("F").
    EXPECT_EQ(encodeCode93(QStringLiteral("<%>A")).pattern,
              kStart + ch("(%)") + ch("A") + ch("4") + ch("F") + kStop);
}

TEST(Code93Vectors, CheckCharactersThatAreShifts)
{
    // "<$>": ($), C = ($), K = "Z".
    EXPECT_EQ(encodeCode93(QStringLiteral("<$>")).pattern, kStart + ch("($)") + ch("($)") + ch("Z") + kStop);
    // "<+>": (+), C = (+), K = (%).
    EXPECT_EQ(encodeCode93(QStringLiteral("<+>")).pattern,
              kStart + ch("(+)") + ch("(+)") + ch("(%)") + kStop);
}

TEST(Code93Vectors, EveryDataCharacter)
{
    // The 43 data characters in value order; each alone: C = v, K = 3v mod 47.
    const QString alphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
    for (int v = 0; v < alphabet.size(); ++v) {
        const QString c = alphabet.mid(v, 1);
        const QString k = (3 * v) % 47 < 43 ? alphabet.mid((3 * v) % 47, 1)
                                            : QStringList{"($)", "(%)", "(/)", "(+)"}[(3 * v) % 47 - 43];
        const QString expected = kStart + el(kUss.at(c)) + el(kUss.at(c)) + el(kUss.at(k)) + kStop;
        EXPECT_EQ(encodeCode93(c).pattern, expected) << v;
    }
}

} // namespace
} // namespace korbena
