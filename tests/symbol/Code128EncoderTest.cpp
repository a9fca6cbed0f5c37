// CODE-128. Expected patterns are assembled from the bar and space widths
// of ISO/IEC 15417:2007 table 1, typed here again independently of the encoder's
// table; check values are worked out by hand in the comments (ISO/IEC 15417, 4.7.2:
// start value plus each value times its position, modulo 103).
#include "TestSupport.h"
#include "symbol/BarImage.h"
#include "symbol/ElementPattern.h"
#include "symbol/Encoders.h"
#include "symbol/MainBarImage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace korbena {
namespace {

// ISO/IEC 15417:2007 table 1: the widths of symbol values 0 .. 102, then START A,
// START B, START C and STOP (13 modules with the termination bar).
// clang-format off
constexpr std::array<const char*, 107> kIsoWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", //   0
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", //  10
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", //  20
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313", //  30
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331", //  40
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111", //  50
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214", //  60
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", //  70
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141", //  80
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141", //  90
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",                              // 100
};
// clang-format on

// A symbol's elements in the digit form of ElementPattern: bar w -> 2w-1, space w -> 2w-2.
QString el(const char* widths)
{
    QString digits;
    for (int i = 0; widths[i] != '\0'; ++i) {
        const int w = widths[i] - '0';
        digits.append(QChar(u'0' + (i % 2 == 0 ? 2 * w - 1 : 2 * w - 2)));
    }
    return digits;
}

QString sym(int value)
{
    return el(kIsoWidths[static_cast<std::size_t>(value)]);
}

const QString kStartA = sym(103);
const QString kStartB = sym(104);
const QString kStartC = sym(105);
const QString kStop = sym(106);

// Values of characters in sets A and B (ISO/IEC 15417 table 1: ASCII code - 32).
int ab(char c)
{
    return c - 32;
}
constexpr int kFnc3 = 96, kShift = 98, kCodeC = 99, kCodeBinA = 100, kFnc4inB = 100, kCodeAinB = 101,
              kCodeBinC = 100, kCodeAinC = 101, kFnc1 = 102;

EncodeOptions manual(char start)
{
    EncodeOptions o;
    o.automatic = false;
    o.startChar = QChar(static_cast<char16_t>(start));
    return o;
}

Encoding autoEncode(const QString& code)
{
    return encodeCode128(code, EncodeOptions{});
}

bool onlyModuleDigits(const QString& pattern)
{
    for (const QChar c : pattern) {
        if (c < u'0' || c > u'7')
            return false;
    }
    return true;
}

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

TEST(Code128Limits, EmptyCodeGivesNoSymbolInBothModes)
{
    const Encoding a = autoEncode(QString());
    EXPECT_FALSE(a.ok());
    ASSERT_TRUE(a.f128Code.has_value());
    EXPECT_TRUE(a.f128Code->isEmpty());
    EXPECT_FALSE(a.startChar.has_value()); // the segmentation gave nothing: StartChar is not written
    EXPECT_EQ(a.cdn, -1);

    const Encoding m = encodeCode128(QString(), manual('B'));
    EXPECT_FALSE(m.ok());
    ASSERT_TRUE(m.f128Code.has_value());
    EXPECT_TRUE(m.f128Code->isEmpty());
    EXPECT_FALSE(m.startChar.has_value());
}

TEST(Code128Limits, EverySymbolIsElevenModulesAndTheStopThirteen)
{
    // n data symbols: start, n symbols, check (6 elements each), stop (7 elements).
    for (const char* code : {"1", "12", "ABC", "abc", "12345678", "AB12CD", "123<FNC1>45"}) {
        const Encoding e = autoEncode(QString::fromLatin1(code));
        ASSERT_TRUE(e.ok()) << code;
        EXPECT_EQ((e.pattern.size() - 7) % 6, 0) << code;
        const auto symbols = (e.pattern.size() - 7) / 6; // start + data + check
        EXPECT_EQ(modules(e.pattern), 11 * symbols + 13) << code;
        EXPECT_TRUE(onlyModuleDigits(e.pattern)) << code;
        EXPECT_TRUE(e.pattern.startsWith(kStartA) || e.pattern.startsWith(kStartB) ||
                    e.pattern.startsWith(kStartC));
        EXPECT_TRUE(e.pattern.endsWith(kStop));
    }
}

TEST(Code128Limits, ASingleCharacterGivesThreeSymbolsAndTheStop)
{
    EXPECT_EQ(autoEncode(QStringLiteral("1")).pattern.size(), 6 * 3 + 7);
    EXPECT_EQ(autoEncode(QStringLiteral("12")).pattern.size(), 6 * 3 + 7);
}

TEST(Code128Limits, VeryLongDataKeepsTheCheckModulo103)
{
    // 20000 "z" in set B: values 90 at positions 1 .. n; the weighted sum
    // 104 + 90 n (n + 1) / 2 overflows 32 bits, its remainder must not.
    const int n = 20000;
    const Encoding e = encodeCode128(QString(n, u'z'), manual('B'));
    ASSERT_TRUE(e.ok());
    const std::int64_t sum = 104 + 90LL * n * (n + 1) / 2;
    EXPECT_EQ(e.cdn, static_cast<int>(sum % 103));
    EXPECT_EQ(e.pattern.size(), 6 * (n + 2) + 7);
}

TEST(Code128Limits, CdOptionHasNoEffect)
{
    EncodeOptions on;
    on.cd = true;
    EncodeOptions off;
    off.cd = false;
    EXPECT_EQ(encodeCode128(QStringLiteral("ABC"), on).pattern,
              encodeCode128(QStringLiteral("ABC"), off).pattern);
    EXPECT_EQ(encodeCode128(QStringLiteral("ABC"), off).workSymbol, QStringLiteral("AABC "));
}

// =====================================================================
// automatic segmentation (the segmentation results the encoder must give)
// =====================================================================

struct SegmentationCase
{
    const char* code;
    const char* output; // start letter followed by F128Code
};

TEST(Code128Segmentation, TheTableOfThePart)
{
    const SegmentationCase cases[] = {
        {"12345678", "C12345678"},
        {"123", "C12<CODEA>3"},
        {"1", "A1"},
        {"abc", "Babc"},
        {"AB12CD", "AAB<CODEC>12<CODEA>CD"},
        {"1234567", "C123456<CODEA>7"},
        {"<FNC1>0123", "C<FNC1>0123"},
        {"12<FNC1>34", "C12<FNC1>34"},
        {"123<FNC1>45", "C12<CODEA>3<FNC1><CODEC>45"},
        {"AB<SHIFT>c", "AAB<SHIFT>c"},
    };
    for (const SegmentationCase& c : cases) {
        const Encoding e = autoEncode(QString::fromLatin1(c.code));
        const QString output = QString::fromLatin1(c.output);
        ASSERT_TRUE(e.startChar.has_value()) << c.code;
        EXPECT_EQ(*e.startChar, output.front()) << c.code;
        EXPECT_EQ(e.f128Code.value_or(QString()), output.mid(1)) << c.code;
        EXPECT_TRUE(e.ok()) << c.code;
    }
}

TEST(Code128Segmentation, OddDigitRules)
{
    const SegmentationCase cases[] = {
        {"12345", "C1234<CODEA>5"},        // the last digit of an odd run goes to the rest part
        {"A1B", "AA1B"},                   // a lone digit joins the following rest part
        {"a123b", "Ba<CODEC>12<CODEB>3b"}, // odd run between lower-case text
        {"12", "C12"},                     // two digits are enough for set C
        {"A12B", "AA<CODEC>12<CODEA>B"},   // even inside text
        {"9", "A9"},
        {"1a", "B1a"},
    };
    for (const SegmentationCase& c : cases) {
        const Encoding e = autoEncode(QString::fromLatin1(c.code));
        EXPECT_EQ(QString(e.startChar.value_or(u'?')) + e.f128Code.value_or(QString()),
                  QString::fromLatin1(c.output))
            << c.code;
        EXPECT_TRUE(e.ok()) << c.code;
    }
}

TEST(Code128Segmentation, Fnc1TakesTheSetOfWhatFollowsOrPrecedes)
{
    const SegmentationCase cases[] = {
        {"<FNC1>", "A<FNC1>"},                // nothing before or after: A
        {"12<FNC1>", "C12<FNC1>"},            // at the end: the set of the part before
        {"<FNC1>ab", "B<FNC1>ab"},            // the next rest part has a lower-case letter
        {"<FNC1>AB", "A<FNC1>AB"},            // ... or none
        {"<FNC1>1A", "A<FNC1>1A"},            // the next digit part is empty once its lone digit moved
        {"ab<FNC1>cd", "Bab<FNC1>cd"},        // not exactly "<FNC1>": the rest part's own letters
        {"AB<FNC4>12", "AAB<FNC4><CODEC>12"}, // the look-ahead takes the digit of FNC2..4 too
        {"<FNC1>01<FNC1>21", "C<FNC1>01<FNC1>21"},
    };
    for (const SegmentationCase& c : cases) {
        const Encoding e = autoEncode(QString::fromLatin1(c.code));
        EXPECT_EQ(QString(e.startChar.value_or(u'?')) + e.f128Code.value_or(QString()),
                  QString::fromLatin1(c.output))
            << c.code;
        EXPECT_TRUE(e.ok()) << c.code;
    }
}

TEST(Code128Segmentation, SwitchEscapeHandsTheSwitchingToTheUser)
{
    const SegmentationCase cases[] = {
        {"<CODEB>abc", "A<CODEB>abc"},   // no lower-case letter before the escape, not CODEA: A
        {"<CODEA>ABC", "B<CODEA>ABC"},   // set A cannot switch to itself
        {"ab<CODEA>AB", "Bab<CODEA>AB"}, // a lower-case letter before the escape: B
        {"<CODEC>12", "A<CODEC>12"},
        {"12<CODEA>AB", "C12<CODEA>AB"}, // the first split has a digit part: its letter
        {"1<CODEB>a", "A1<CODEB>a"},     // a lone digit is no digit part
        {"Ab<SHIFT>C", "BAb<SHIFT>C"},
    };
    for (const SegmentationCase& c : cases) {
        const Encoding e = autoEncode(QString::fromLatin1(c.code));
        EXPECT_EQ(QString(e.startChar.value_or(u'?')) + e.f128Code.value_or(QString()),
                  QString::fromLatin1(c.output))
            << c.code;
        EXPECT_TRUE(e.ok()) << c.code;
    }
}

TEST(Code128Segmentation, EscapesAreRecognisedInUpperCaseOnly)
{
    // "<shift>" is no switch escape for the segmentation: its letters put the rest part in B.
    const Encoding e = autoEncode(QStringLiteral("AB<shift>c"));
    EXPECT_EQ(e.startChar.value_or(u'?'), u'B');
    EXPECT_EQ(e.f128Code.value_or(QString()), QStringLiteral("AB<shift>c"));
    // ... but the symbol loop folds the name: SHIFT in set B, then "c" in set A fails.
    EXPECT_FALSE(e.ok());
}

// =====================================================================
// human-readable text
// =====================================================================

TEST(Code128Text, TwelveThousandExampleOfThePart)
{
    // "12345678": 105 + 12x1 + 34x2 + 56x3 + 78x4 = 665 = 6 x 103 + 47.
    const Encoding e = autoEncode(QStringLiteral("12345678"));
    EXPECT_EQ(e.workSymbol, QStringLiteral("C1234567847"));
    EXPECT_EQ(e.symbol, QStringLiteral("12345678"));
    EXPECT_EQ(e.cdn, 47);
    EXPECT_EQ(e.startChar.value_or(u'?'), u'C');
    EXPECT_EQ(e.f128Code.value_or(QString()), QStringLiteral("12345678"));
}

TEST(Code128Text, AbcStartsInSetAWithASpaceAsCheck)
{
    // 103 + 33x1 + 34x2 + 35x3 = 309 = 3 x 103: check value 0, a space in set A.
    const Encoding e = autoEncode(QStringLiteral("ABC"));
    EXPECT_EQ(e.workSymbol, QStringLiteral("AABC "));
    EXPECT_EQ(e.symbol, QStringLiteral("ABC"));
    EXPECT_EQ(e.cdn, 0);
    EXPECT_EQ(e.startChar.value_or(u'?'), u'A');

    const Encoding lower = autoEncode(QStringLiteral("abc"));
    EXPECT_EQ(lower.startChar.value_or(u'?'), u'B');
    // 104 + 65 + 66x2 + 67x3 = 502 = 4 x 103 + 90: "z".
    EXPECT_EQ(lower.workSymbol, QStringLiteral("Babcz"));
    EXPECT_EQ(lower.cdn, 90);
}

TEST(Code128Text, CheckCharacterIsWrittenInTheConsumedSyntax)
{
    // One symbol v after START A gives the check v, after START B v + 1, after START C v + 2.
    EXPECT_EQ(encodeCode128(QStringLiteral("<<"), manual('A')).workSymbol,
              QStringLiteral("A<<<<")); // 28: "<"
    EXPECT_EQ(encodeCode128(QStringLiteral(">>"), manual('A')).workSymbol,
              QStringLiteral("A>>>>"));                                                           // 30: ">"
    EXPECT_EQ(encodeCode128(QStringLiteral("A"), manual('A')).workSymbol, QStringLiteral("AAA")); // 33: "A"
    EXPECT_EQ(encodeCode128(QStringLiteral("<NUL>"), manual('A')).workSymbol, QStringLiteral("A<NUL><NUL>"));
    EXPECT_EQ(encodeCode128(QStringLiteral("<US>"), manual('A')).workSymbol,
              QStringLiteral("A<US><US>"));                                                           // 95
    EXPECT_EQ(encodeCode128(QStringLiteral("~"), manual('B')).workSymbol, QStringLiteral("B~<DEL>")); // 95
    EXPECT_EQ(encodeCode128(QStringLiteral("<DEL>"), manual('B')).workSymbol, QStringLiteral("B<DEL><FNC3>"));
    EXPECT_EQ(encodeCode128(QStringLiteral("<FNC2>"), manual('B')).workSymbol,
              QStringLiteral("B<FNC2><SHIFT>"));
    EXPECT_EQ(encodeCode128(QStringLiteral("00"), manual('C')).workSymbol,
              QStringLiteral("C0002")); // two digits
    EXPECT_EQ(encodeCode128(QStringLiteral("98"), manual('C')).workSymbol,
              QStringLiteral("C98<CODEB>")); // 100
    EXPECT_EQ(encodeCode128(QStringLiteral("99"), manual('C')).workSymbol,
              QStringLiteral("C99<CODEA>")); // 101
    // 105 + 0 + 50x2 = 205 = 103 + 102: FNC1 in set C.
    EXPECT_EQ(encodeCode128(QStringLiteral("0050"), manual('C')).workSymbol, QStringLiteral("C0050<FNC1>"));
}

TEST(Code128Text, CheckCharacterIsWrittenInTheSetInForceAtTheEnd)
{
    // "123": 105 + 12 + 101x2 + 19x3 = 376 = 3 x 103 + 67, ETX in set A.
    const Encoding e = autoEncode(QStringLiteral("123"));
    EXPECT_EQ(e.workSymbol, QStringLiteral("C12<CODEA>3<ETX>"));
    EXPECT_EQ(e.cdn, 67);
    // A SHIFT at the very end leaves set B in force: 103 + 1 + 98x2 = 300 = 2 x 103 + 94,
    // written "~" (set B) rather than "<RS>" (set A).
    EXPECT_EQ(encodeCode128(QStringLiteral("!<SHIFT>"), manual('A')).workSymbol,
              QStringLiteral("A!<SHIFT>~"));
}

TEST(Code128Text, SymbolDropsOnlyTheSwitchEscapesInUpperCase)
{
    EXPECT_EQ(autoEncode(QStringLiteral("AB<SHIFT>c")).symbol, QStringLiteral("ABc"));
    EXPECT_EQ(autoEncode(QStringLiteral("<FNC1>0123")).symbol, QStringLiteral("<FNC1>0123"));
    EXPECT_EQ(autoEncode(QStringLiteral("123")).symbol,
              QStringLiteral("123")); // the inserted switch is not shown
    EXPECT_EQ(encodeCode128(QStringLiteral("AB<CODEC>12<CODEB>ab"), manual('A')).symbol,
              QStringLiteral("AB12ab"));
    EXPECT_EQ(encodeCode128(QStringLiteral("A<codeb>a"), manual('A')).symbol, QStringLiteral("A<codeb>a"));
    EXPECT_EQ(encodeCode128(QStringLiteral("A>>B"), manual('A')).symbol, QStringLiteral("A>>B"));
}

TEST(Code128Text, ManualModeConsumesTheCodeAsTyped)
{
    const Encoding e = encodeCode128(QStringLiteral("AB<CODEC>1234"), manual('A'));
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.f128Code.value_or(QString()), QStringLiteral("AB<CODEC>1234"));
    EXPECT_FALSE(e.startChar.has_value()); // a valid StartChar is left alone
    EXPECT_TRUE(e.workSymbol.startsWith(QStringLiteral("AAB<CODEC>1234")));
}

TEST(Code128Text, StartCharOutsideAToCIsStoredAsA)
{
    const Encoding e = encodeCode128(QStringLiteral("AB"), manual('D'));
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.startChar.value_or(u'?'), u'A');
    EXPECT_TRUE(e.pattern.startsWith(kStartA));
    EXPECT_EQ(e.workSymbol.front(), u'A');
}

TEST(Code128Text, NamesAreFoldedToUpperCase)
{
    EXPECT_EQ(encodeCode128(QStringLiteral("<fnc1>12"), manual('C')).pattern,
              encodeCode128(QStringLiteral("<FNC1>12"), manual('C')).pattern);
    EXPECT_EQ(encodeCode128(QStringLiteral("<nul>"), manual('A')).pattern,
              encodeCode128(QStringLiteral("<NUL>"), manual('A')).pattern);
    // The name "ENO" is value 69 as the escape table spells it.
    EXPECT_TRUE(encodeCode128(QStringLiteral("<ENO>"), manual('A')).ok());
    EXPECT_FALSE(encodeCode128(QStringLiteral("<ENQ>"), manual('A')).ok());
}

// The component: WorkSymbol, Symbol, CDN, CDC and StartChar as the component publishes them.
class Code128Component : public ::testing::Test
{
protected:
    void SetUp() override
    {
        configureMainWindowBarImage(bar);
        bar.SetBarType(cbarCODE128);
    }
    BarImage bar;
};

TEST_F(Code128Component, PublishesTheTextsAndTheCheckCharacter)
{
    bar.SetCode(QStringLiteral("12345678"));
    ASSERT_TRUE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("C1234567847"));
    EXPECT_EQ(bar.Symbol(), QStringLiteral("12345678"));
    EXPECT_EQ(bar.CDN(), 47);
    EXPECT_EQ(bar.CDC(), QStringLiteral("47"));
    EXPECT_EQ(bar.StartChar(), u'C');
    // 11 modules x (start + 4 + check) + 13 at Scale 5.
    EXPECT_EQ(bar.BarWidth(), (11 * 6 + 13) * 5);

    bar.SetCode(QStringLiteral("123"));
    EXPECT_EQ(bar.CDC(), QStringLiteral("<ETX>"));
    bar.SetCode(QStringLiteral("ABC"));
    EXPECT_EQ(bar.CDC(), QStringLiteral(" "));
    EXPECT_EQ(bar.StartChar(), u'A');
    bar.SetCode(QStringLiteral("<FNC1>0050"));
    // 105 + 102 + 0x2 + 50x3 = 357 = 3 x 103 + 48.
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("C<FNC1>005048"));
    EXPECT_EQ(bar.CDC(), QStringLiteral("48"));
}

TEST_F(Code128Component, CdcOfDataThatIsTheStartLetterRepeated)
{
    // WorkSymbol "AAA": F128Code "A" occurs at position 1 and 2; the occurrence after
    // the start letter counts, so CDC is the check character alone.
    bar.SetCode(QStringLiteral("A"));
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("AAA"));
    EXPECT_EQ(bar.CDC(), QStringLiteral("A"));
    // 103 + 33 + 66 = 202 = 103 + 99: CODEC in set A.
    bar.SetCode(QStringLiteral("AA"));
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("AAA<CODEC>"));
    EXPECT_EQ(bar.CDC(), QStringLiteral("<CODEC>"));

    bar.SetAutomatic(false);
    bar.SetStartChar(u'B');
    // 104 + 34 + 68 = 206 = 2 x 103: a space.
    bar.SetCode(QStringLiteral("BB"));
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("BBB "));
    EXPECT_EQ(bar.CDC(), QStringLiteral(" "));
}

TEST_F(Code128Component, CdcIgnoresWhatStandsBeforeTheData)
{
    // F128Code "B" in set A, start letter "A": only the first occurrence exists.
    bar.SetCode(QStringLiteral("B"));
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("ABB")); // 103 + 34 = 137 = 103 + 34: "B"
    EXPECT_EQ(bar.CDC(), QStringLiteral("B"));
}

TEST_F(Code128Component, ManualModeReadsStartCharAndStoresAForOtherLetters)
{
    bar.SetAutomatic(false);
    bar.SetStartChar(u'C');
    bar.SetCode(QStringLiteral("1234"));
    ASSERT_TRUE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("C1234") +
                                    QStringLiteral("%1").arg((105 + 12 + 34 * 2) % 103, 2, 10, QChar(u'0')));
    bar.SetStartChar(u'D'); // the setter keeps D (A..D); the encoder then stores A
    bar.SetCode(QStringLiteral("AB"));
    ASSERT_TRUE(bar.BarDisped());
    EXPECT_EQ(bar.StartChar(), u'A');
}

TEST_F(Code128Component, AutomaticModeOverwritesStartChar)
{
    bar.SetStartChar(u'B');
    bar.SetCode(QStringLiteral("12345678"));
    EXPECT_EQ(bar.StartChar(), u'C');
}

TEST_F(Code128Component, BarsFollowThePatternModuleByModule)
{
    bar.SetScale(1);
    bar.SetCode(QStringLiteral("ABC"));
    ASSERT_TRUE(bar.BarDisped());
    QString expected;
    for (const QChar d : bar.LastPattern())
        expected += QString((d.unicode() - u'0') / 2 + 1, (d.unicode() - u'0') % 2 == 1 ? u'1' : u'0');
    const QImage& image = bar.Picture().bitmap()->image();
    const int left = bar.BarSpaceLeft();
    EXPECT_EQ(test::rowBits(image, 50, left, left + static_cast<int>(expected.size())), expected);
    EXPECT_EQ(expected.size(), 11 * 5 + 13);
}

// =====================================================================
// rejected input
// =====================================================================

TEST(Code128Rejected, TokensOutsideTheCurrentSet)
{
    struct Case
    {
        QString code;
        char start;
    };
    const Case cases[] = {
        {QStringLiteral("a"), 'A'},           // lower-case letter in set A
        {QStringLiteral("12345"), 'C'},       // odd trailing digit in set C
        {QStringLiteral("1A"), 'C'},          // a letter in a set C pair
        {QStringLiteral("<FOO>"), 'A'},       // unknown escape name
        {QStringLiteral("<>"), 'A'},          // empty name
        {QStringLiteral("12<CODEC>34"), 'C'}, // CODEC while in set C
        {QStringLiteral("<CODEA>"), 'A'},     // set A cannot switch to itself (that value is FNC4)
        {QStringLiteral("<CODEB>"), 'B'},     // nor B to B
        {QStringLiteral("<SHIFT>12"), 'C'},   // no SHIFT in set C
        {QStringLiteral("<FNC2>"), 'C'},      // nor FNC2
        {QStringLiteral("AB>"), 'A'},         // a lone trailing ">"
        {QStringLiteral("<NUL>"), 'B'},       // control names exist in set A only
        {QStringLiteral("<DEL>"), 'A'},       // DEL in set B only
        {QStringLiteral("A\tB"), 'A'},        // control characters are written as escapes
        {QStringLiteral("caf\u00e9"), 'B'},   // no character beyond ASCII
        {QStringLiteral("\uff21"), 'A'},      // a full-width letter
        {QString(QChar(0xd800)), 'A'},        // a lone surrogate
        {QStringLiteral("<"), 'C'},           // a trailing "<" is read alone, and set C reads pairs
        {QStringLiteral("AB<SHIFT>cd"), 'A'}, // the shift lasts for one symbol: "d" in set A
    };
    for (const Case& c : cases) {
        const Encoding e = encodeCode128(c.code, manual(c.start));
        EXPECT_FALSE(e.ok()) << c.code.toStdString() << " in " << c.start;
        EXPECT_TRUE(e.workSymbol.isEmpty());
        EXPECT_TRUE(e.symbol.isEmpty());
        EXPECT_EQ(e.cdn, -1);
        // F128Code is set even so.
        EXPECT_EQ(e.f128Code.value_or(QStringLiteral("unset")), c.code);
    }
}

TEST(Code128Rejected, AutomaticModeStillReportsStartAndConsumedString)
{
    // "<NUL>x": the lower-case "x" puts the whole rest part in set B, which has no NUL.
    const Encoding e = autoEncode(QStringLiteral("<NUL>x"));
    EXPECT_FALSE(e.ok());
    EXPECT_EQ(e.startChar.value_or(u'?'), u'B');
    EXPECT_EQ(e.f128Code.value_or(QString()), QStringLiteral("<NUL>x"));
    // "{" has no letter a-z, so its rest part is set A, which has no "{".
    EXPECT_FALSE(autoEncode(QStringLiteral("{")).ok());
    EXPECT_TRUE(autoEncode(QStringLiteral("a{")).ok());
    EXPECT_FALSE(autoEncode(QStringLiteral("<FNC5>")).ok());
}

TEST(Code128Rejected, ComponentKeepsWorkSymbolAndTakesF128Code)
{
    BarImage bar;
    configureMainWindowBarImage(bar);
    bar.SetBarType(cbarCODE128);
    bar.SetCode(QStringLiteral("12345678"));
    ASSERT_TRUE(bar.BarDisped());
    bar.SetCode(QStringLiteral("<NUL>x"));
    EXPECT_FALSE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("C1234567847"));
    EXPECT_TRUE(bar.Symbol().isEmpty());
    EXPECT_EQ(bar.CDN(), -1);
    EXPECT_EQ(bar.StartChar(), u'B');
    EXPECT_TRUE(bar.CDC().isEmpty());         // the new F128Code is not in the old WorkSymbol
    EXPECT_FALSE(bar.Picture().hasGraphic()); // ClearOption on the main window's instance

    bar.SetAutomatic(false);
    bar.SetStartChar(u'C');
    bar.SetCode(QStringLiteral("12345"));
    EXPECT_FALSE(bar.BarDisped());
    EXPECT_EQ(bar.WorkSymbol(), QStringLiteral("C1234567847"));
    EXPECT_EQ(bar.StartChar(), u'C');
    // F128Code "12345" occurs in the kept WorkSymbol: CDC reads what follows it there.
    EXPECT_EQ(bar.CDC(), QStringLiteral("67847"));
}

// =====================================================================
// encode vectors
// =====================================================================

TEST(Code128Vectors, AbcExampleOfThePart)
{
    const QString expected = kStartA + sym(ab('A')) + sym(ab('B')) + sym(ab('C')) + sym(0) + kStop;
    EXPECT_EQ(expected, QStringLiteral("301612") + "101434" + "141034" + "141430" + "303232" + "3450103");
    EXPECT_EQ(autoEncode(QStringLiteral("ABC")).pattern, expected);
}

TEST(Code128Vectors, IsoCheckCharacterExampleAim1234)
{
    // ISO/IEC 15417:2007 (check character example): START B, A, I, M, CODE C, 12, 34:
    // 104 + 33x1 + 41x2 + 45x3 + 99x4 + 12x5 + 34x6 = 1014 = 9 x 103 + 87.
    const Encoding e = encodeCode128(QStringLiteral("AIM<CODEC>1234"), manual('B'));
    const QString expected = kStartB + sym(ab('A')) + sym(ab('I')) + sym(ab('M')) + sym(kCodeC) + sym(12) +
                             sym(34) + sym(87) + kStop;
    EXPECT_EQ(e.pattern, expected);
    EXPECT_EQ(e.cdn, 87);
    EXPECT_EQ(e.workSymbol, QStringLiteral("BAIM<CODEC>123487"));
    EXPECT_EQ(e.symbol, QStringLiteral("AIM1234"));
}

TEST(Code128Vectors, NumericDataInSetC)
{
    // "12345678": START C, 12, 34, 56, 78, check 47.
    const QString expected = kStartC + sym(12) + sym(34) + sym(56) + sym(78) + sym(47) + kStop;
    EXPECT_EQ(autoEncode(QStringLiteral("12345678")).pattern, expected);
}

TEST(Code128Vectors, OddDigitGoesToSetAAfterThePairs)
{
    // "123": START C, 12, CODE A (101), "3" (19), check 67.
    const QString expected = kStartC + sym(12) + sym(kCodeAinC) + sym(ab('3')) + sym(67) + kStop;
    EXPECT_EQ(autoEncode(QStringLiteral("123")).pattern, expected);
}

TEST(Code128Vectors, Gs1ElementStringWithFnc1InFirstPosition)
{
    // GS1 General Specifications, GS1-128: FNC1 then the element string
    // (01)09501101530003 in set C: 105 + 102 + 1x2 + 9x3 + 50x4 + 11x5 + 1x6 + 53x7
    // + 0x8 + 3x9 = 895 = 8 x 103 + 71.
    const Encoding e = autoEncode(QStringLiteral("<FNC1>0109501101530003"));
    const QString expected = kStartC + sym(kFnc1) + sym(1) + sym(9) + sym(50) + sym(11) + sym(1) + sym(53) +
                             sym(0) + sym(3) + sym(71) + kStop;
    EXPECT_EQ(e.pattern, expected);
    EXPECT_EQ(e.workSymbol, QStringLiteral("C<FNC1>010950110153000371"));
}

TEST(Code128Vectors, ShiftEncodesOneCharacterOfTheOtherSet)
{
    // "AB<SHIFT>c": START A, A, B, SHIFT, "c" (67 in set B), back in A;
    // 103 + 33 + 34x2 + 98x3 + 67x4 = 766 = 7 x 103 + 45 ("M" in set A).
    const Encoding e = autoEncode(QStringLiteral("AB<SHIFT>c"));
    const QString expected =
        kStartA + sym(ab('A')) + sym(ab('B')) + sym(kShift) + sym(ab('c')) + sym(45) + kStop;
    EXPECT_EQ(e.pattern, expected);
    EXPECT_EQ(e.workSymbol, QStringLiteral("AAB<SHIFT>cM"));
    EXPECT_EQ(e.symbol, QStringLiteral("ABc"));
}

TEST(Code128Vectors, ShiftFromBToAForAControlCharacter)
{
    // START B, "a", SHIFT, CR (77 in set A), "b": 104 + 65 + 98x2 + 77x3 + 66x4 = 860 = 8 x 103 + 36 ("D").
    const Encoding e = encodeCode128(QStringLiteral("a<SHIFT><CR>b"), manual('B'));
    const QString expected = kStartB + sym(ab('a')) + sym(kShift) + sym(77) + sym(ab('b')) + sym(36) + kStop;
    EXPECT_EQ(e.pattern, expected);
    EXPECT_EQ(e.workSymbol, QStringLiteral("Ba<SHIFT><CR>bD"));
}

TEST(Code128Vectors, SwitchesBetweenAllThreeSets)
{
    // "AB12CD": START A, A, B, CODE C (99), 12, CODE A (101), C, D;
    // 103 + 33 + 68 + 99x3 + 12x4 + 101x5 + 35x6 + 36x7 = 1516 = 14 x 103 + 74 (LF in set A).
    const Encoding e = autoEncode(QStringLiteral("AB12CD"));
    const QString expected = kStartA + sym(ab('A')) + sym(ab('B')) + sym(kCodeC) + sym(12) + sym(kCodeAinC) +
                             sym(ab('C')) + sym(ab('D')) + sym(74) + kStop;
    EXPECT_EQ(e.pattern, expected);
    EXPECT_EQ(e.workSymbol, QStringLiteral("AAB<CODEC>12<CODEA>CD<LF>"));
    // Manual B to C to B: CODE B is value 100 in set C, FNC4 is 100 in set B.
    const Encoding m = encodeCode128(QStringLiteral("x<CODEC>00<CODEB><FNC4>"), manual('B'));
    // 104 + 88 + 99x2 + 0x3 + 100x4 + 100x5 = 1290 = 12 x 103 + 54.
    EXPECT_EQ(m.pattern, kStartB + sym(ab('x')) + sym(kCodeC) + sym(0) + sym(kCodeBinC) + sym(kFnc4inB) +
                             sym(54) + kStop);
    EXPECT_EQ(m.cdn, 54);
}

TEST(Code128Vectors, LiteralAndDoubledAngleBrackets)
{
    // "A>>B" and "A<<B": three symbols each; ">B" is "B" taken literally.
    EXPECT_EQ(autoEncode(QStringLiteral("A>>B")).pattern,
              kStartA + sym(ab('A')) + sym(ab('>')) + sym(ab('B')) + sym((103 + 33 + 30 * 2 + 34 * 3) % 103) +
                  kStop);
    EXPECT_EQ(autoEncode(QStringLiteral("A<<B")).pattern,
              kStartA + sym(ab('A')) + sym(ab('<')) + sym(ab('B')) + sym((103 + 33 + 28 * 2 + 34 * 3) % 103) +
                  kStop);
    EXPECT_EQ(encodeCode128(QStringLiteral(">A>a"), manual('B')).pattern,
              kStartB + sym(ab('A')) + sym(ab('a')) + sym((104 + 33 + 65 * 2) % 103) + kStop);
    // A trailing "<" is the character itself in sets A and B.
    EXPECT_EQ(encodeCode128(QStringLiteral("A<"), manual('A')).pattern,
              kStartA + sym(ab('A')) + sym(ab('<')) + sym((103 + 33 + 28 * 2) % 103) + kStop);
}

TEST(Code128Vectors, GraveAccentAndUnterminatedEscape)
{
    // The grave accent is value 64 in set B: 104 + 64 = 168 = 103 + 65.
    EXPECT_EQ(encodeCode128(QStringLiteral("`"), manual('B')).pattern, kStartB + sym(64) + sym(65) + kStop);
    // "AB<FNC1" reads the name FNC1: 103 + 33 + 68 + 102x3 = 510 = 4 x 103 + 98.
    const Encoding e = autoEncode(QStringLiteral("AB<FNC1"));
    EXPECT_EQ(e.pattern, kStartA + sym(ab('A')) + sym(ab('B')) + sym(kFnc1) + sym(98) + kStop);
    EXPECT_EQ(e.workSymbol, QStringLiteral("AAB<FNC1<SHIFT>"));
}

TEST(Code128Vectors, FunctionCodesInSetsAAndB)
{
    // FNC3 (96) and FNC2 (97) share their values in A and B; FNC4 is 101 in A, 100 in B;
    // CODE B is 100 in A.  104 + 96 + 97x2 + 100x3 = 694 = 6 x 103 + 76.
    const Encoding b = encodeCode128(QStringLiteral("<FNC3><FNC2><FNC4>"), manual('B'));
    EXPECT_EQ(b.pattern, kStartB + sym(kFnc3) + sym(97) + sym(kFnc4inB) + sym(76) + kStop);
    // 103 + 101 + 100x2 = 404 = 3 x 103 + 95; then set B is in force: DEL.
    const Encoding a = encodeCode128(QStringLiteral("<FNC4><CODEB>"), manual('A'));
    EXPECT_EQ(a.pattern, kStartA + sym(101) + sym(kCodeBinA) + sym(95) + kStop);
    EXPECT_EQ(a.workSymbol, QStringLiteral("A<FNC4><CODEB><DEL>"));
    // CODE A from B is 101.  104 + 101 = 205 = 103 + 102 (FNC1).
    EXPECT_EQ(encodeCode128(QStringLiteral("<CODEA>"), manual('B')).pattern,
              kStartB + sym(kCodeAinB) + sym(kFnc1) + kStop);
}

TEST(Code128Vectors, EveryValueHasTheIsoWidths)
{
    // Each value encoded alone, in a set that has a name for it, between START A/B/C
    // and its check character.
    for (int v = 0; v <= 102; ++v) {
        QString code;
        char start = 'A';
        if (v < 64) {
            code = v == ab('<')   ? QStringLiteral("<<")
                   : v == ab('>') ? QStringLiteral(">>")
                                  : QString(QChar(32 + v));
        } else if (v < 96) {
            start = 'B';
            code = v == 95 ? QStringLiteral("<DEL>") : QString(QChar(32 + v));
        } else if (v < 100) {
            start = 'C';
            code = QString::number(v);
        } else {
            start = 'C';
            code = v == 100   ? QStringLiteral("<CODEB>")
                   : v == 101 ? QStringLiteral("<CODEA>")
                              : QStringLiteral("<FNC1>");
        }
        const Encoding e = encodeCode128(code, manual(start));
        ASSERT_TRUE(e.ok()) << v;
        const int startValue = start == 'A' ? 103 : start == 'B' ? 104 : 105;
        EXPECT_EQ(e.pattern, sym(startValue) + sym(v) + sym((startValue + v) % 103) + kStop) << v;
    }
}

} // namespace
} // namespace korbena
