#include "document/NumberField.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace korbena {
namespace {

NumberFormat decimals(int figure, TRoundMode mode = rmDown, bool fixed = false)
{
    NumberFormat f;
    f.Figure = figure;
    f.RoundMode = mode;
    f.Fixed = fixed;
    return f;
}

NumberFormat hex(bool validMinus, int figure = -1)
{
    NumberFormat f;
    f.NumberType = ntHex;
    f.ValidMinus = validMinus;
    f.Figure = figure;
    return f;
}

NumberFormat limited(Extended min, Extended max)
{
    NumberFormat f;
    f.Limit = true;
    f.Min = min;
    f.Max = max;
    return f;
}

// Types each character as a key, the way the edit control would.
void type(NumberField& field, const QString& keys)
{
    for (const QChar key : keys)
        field.KeyPress(key.unicode());
}

// --- reading ---

TEST(ReadNumberText, DecimalTexts)
{
    const struct
    {
        QString text;
        Extended value;
    } cases[] = {
        {QString(), 0},
        {QStringLiteral("-"), 0},
        {QStringLiteral("+"), 0},
        {QStringLiteral(","), 0}, // nothing left once the separators are gone
        {QStringLiteral("12.345"), 12.345L},
        {QStringLiteral("-1,234,567"), -1234567},
        {QStringLiteral("+12"), 12},
        {QStringLiteral("1\t2\n"), 12}, // control characters are dropped
        {QStringLiteral(".5"), 0.5L},
        {QStringLiteral("5."), 5},
        {QStringLiteral("9223372036854775807"), 9223372036854775807.0L},
        {QStringLiteral("-9223372036854775808"), -9223372036854775808.0L},
        // Beyond 64 bits a whole number still reads, as the field writes such values so.
        {QStringLiteral("9223372036854775808"), 9223372036854775808.0L},
        {QStringLiteral("-100000000000000000000"), -1e20L},
    };
    for (const auto& c : cases) {
        const NumberRead read = ReadNumberText(c.text);
        EXPECT_TRUE(read.ok) << qPrintable(c.text);
        EXPECT_EQ(read.value, c.value) << qPrintable(c.text);
    }
    // A value too small to hold reads as zero rather than failing.
    const NumberRead tiny = ReadNumberText(u"0.1e-99999");
    EXPECT_TRUE(tiny.ok);
    EXPECT_EQ(tiny.value, 0);
}

TEST(ReadNumberText, UnreadableDecimalTextsGiveTheConversionErrors)
{
    const struct
    {
        QString text, error;
    } cases[] = {
        {QStringLiteral("."), QStringLiteral("'.' は浮動小数点数ではありません")},
        {QStringLiteral("-."), QStringLiteral("'-.' は浮動小数点数ではありません")},
        {QStringLiteral("1.2.3"), QStringLiteral("'1.2.3' は浮動小数点数ではありません")},
        {QStringLiteral("1.5e99999"), QStringLiteral("'1.5e99999' は浮動小数点数ではありません")},
        {QStringLiteral("12a"), QStringLiteral("'12a' は整数ではありません")},
        {QStringLiteral("1,2-3"), QStringLiteral("'12-3' は整数ではありません")},
        {QStringLiteral("１２"), QStringLiteral("'１２' は整数ではありません")}, // full-width digits
    };
    for (const auto& c : cases) {
        const NumberRead read = ReadNumberText(c.text);
        EXPECT_FALSE(read.ok) << qPrintable(c.text);
        EXPECT_EQ(read.error, c.error);
    }
}

TEST(ReadNumberText, LocaleSeparators)
{
    NumberFormat f;
    f.DecimalSeparator = u',';
    f.ThousandSeparator = u'.';
    EXPECT_EQ(ReadNumberText(u"1.234,5", f).value, 1234.5L);
    EXPECT_FALSE(ReadNumberText(u"1,2,3", f).ok);
}

TEST(ReadNumberText, Hexadecimal)
{
    EXPECT_EQ(ReadNumberText(u"FFFFFFFF", hex(false)).value, -1);
    EXPECT_EQ(ReadNumberText(u"7fffffff", hex(false)).value, 2147483647);
    EXPECT_EQ(ReadNumberText(u"80000000", hex(false)).value, -2147483648.0L);
    EXPECT_FALSE(ReadNumberText(u"100000000", hex(false)).ok);
    EXPECT_FALSE(ReadNumberText(u"-1", hex(false)).ok);
    EXPECT_FALSE(ReadNumberText(u"1G", hex(false)).ok);

    EXPECT_EQ(ReadNumberText(u"-1F", hex(true)).value, -31);
    EXPECT_EQ(ReadNumberText(u"FFFFFFFFFFFFFFFF", hex(true)).value, -1);
    EXPECT_EQ(ReadNumberText(u"-8000000000000000", hex(true)).value, std::numeric_limits<qint64>::min());
    EXPECT_FALSE(ReadNumberText(u"10000000000000000", hex(true)).ok);
    EXPECT_EQ(ReadNumberText(u"-G", hex(true)).error, QStringLiteral("'-G' は整数ではありません"));
}

// --- rounding ---

TEST(RoundNumberText, DropsOrRaisesOnTheDigits)
{
    const struct
    {
        QString text;
        int decimals;
        TRoundMode mode;
        QString rounded;
    } cases[] = {
        {QStringLiteral("12.349"), 2, rmDown, QStringLiteral("12.34")},
        {QStringLiteral("12.349"), 2, rmRound, QStringLiteral("12.35")},
        {QStringLiteral("12.345"), 2, rmRound, QStringLiteral("12.35")}, // a 5 raises
        {QStringLiteral("12.3449"), 2, rmRound,
         QStringLiteral("12.34")}, // only the first dropped decimal counts
        {QStringLiteral("12.341"), 2, rmUp, QStringLiteral("12.35")},
        {QStringLiteral("12.34000"), 2, rmUp, QStringLiteral("12.34")}, // dropped zeros do not raise
        {QStringLiteral("12.340001"), 2, rmUp, QStringLiteral("12.35")},
        {QStringLiteral("9.999"), 2, rmRound, QStringLiteral("10.00")},
        {QStringLiteral("-12.96"), 1, rmRound, QStringLiteral("-13.0")}, // away from zero
        {QStringLiteral("-2.5"), 0, rmRound, QStringLiteral("-3.")},
        {QStringLiteral("999.95"), 1, rmRound, QStringLiteral("1000.0")},
        {QStringLiteral("12.7"), 0, rmDown, QStringLiteral("12.")},
        {QStringLiteral("12.1"), 0, rmUp, QStringLiteral("13.")},
        {QStringLiteral("1,234.56"), 1, rmDown, QStringLiteral("1234.5")},
        {QStringLiteral(".96"), 1, rmRound, QStringLiteral("1.0")},
        {QStringLiteral(".94"), 0, rmDown, QStringLiteral("0.")}, // stays readable
        // Unchanged: no rounding, no decimals, nothing after the separator, few enough decimals.
        {QStringLiteral("12.349"), -1, rmUp, QStringLiteral("12.349")},
        {QStringLiteral("1,234"), 0, rmUp, QStringLiteral("1234")},
        {QStringLiteral("12."), 0, rmUp, QStringLiteral("12.")},
        {QStringLiteral("12.30"), 2, rmUp, QStringLiteral("12.30")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundNumberText(c.text, c.decimals, c.mode), c.rounded)
            << qPrintable(c.text) << " " << c.decimals;
}

// --- formatting ---

TEST(PlainNumberText, NeverAnExponent)
{
    EXPECT_EQ(PlainNumberText(12.345L), u"12.345");
    EXPECT_EQ(PlainNumberText(1e25L), u"10000000000000000000000000");
    EXPECT_EQ(PlainNumberText(-1.5e-7L), u"-0.00000015");
    EXPECT_EQ(PlainNumberText(-0.0L), u"0");
    EXPECT_EQ(PlainNumberText(123456789012345678.0L), u"123456789012345678");
    EXPECT_EQ(PlainNumberText(1.0L / 3), u"0.333333333333333333"); // 18 significant digits
    EXPECT_EQ(PlainNumberText(123456.0L / 10000), u"12.3456");
    EXPECT_FALSE(PlainNumberText(std::numeric_limits<Extended>::infinity()).contains(u'e'));
}

TEST(FormattedText, TheStyleFileForm)
{
    EXPECT_EQ(FormattedText({}, 10).text, u"10");
    EXPECT_EQ(FormattedText({}, 12.5L).text, u"12.5");
    EXPECT_EQ(FormattedText({}, -0.25L).text, u"-0.25");
    EXPECT_EQ(FormattedText({}, 1234567.0L).text, u"1234567");
    EXPECT_EQ(FormattedText({}, 0.00001L).text, u"0.00001");
    EXPECT_EQ(FormattedText({}, 0).text, u"0");
    const FormattedNumber huge = FormattedText({}, 1e20L);
    EXPECT_EQ(huge.text, u"100000000000000000000");
    EXPECT_EQ(ReadNumberText(huge.text).value, 1e20L);
}

TEST(FormattedText, FigureFixedCommaAndZero)
{
    EXPECT_EQ(FormattedText(decimals(2, rmDown), 12.349L).text, u"12.34");
    const FormattedNumber carried = FormattedText(decimals(2, rmRound), 9.999L);
    EXPECT_EQ(carried.text, u"10.00");
    EXPECT_EQ(carried.value, 10);
    EXPECT_EQ(FormattedText(decimals(2, rmDown, true), 3).text, u"3.00");
    EXPECT_EQ(FormattedText(decimals(3, rmDown, true), 3.5L).text, u"3.500");
    EXPECT_EQ(FormattedText(decimals(0, rmDown, true), 3.7L).text, u"3");
    EXPECT_EQ(FormattedText(decimals(0, rmRound), 12.5L).text, u"13"); // no trailing separator

    NumberFormat comma;
    comma.Comma = true;
    EXPECT_EQ(FormattedText(comma, 1234567.25L).text, u"1,234,567.25");
    EXPECT_EQ(FormattedText(comma, -1234).text, u"-1,234");
    EXPECT_EQ(FormattedText(comma, -0.5L).text, u"-0.5");
    EXPECT_EQ(FormattedText(comma, 999).text, u"999");

    NumberFormat hidden;
    hidden.ZeroVisible = false;
    EXPECT_EQ(FormattedText(hidden, 0).text, u"");
    EXPECT_EQ(FormattedText(hidden, 0.0001L).text, u"0.0001");
    hidden.Figure = 2;
    EXPECT_EQ(FormattedText(hidden, 0.0001L).text, u""); // shown as 0.00, which is zero
}

TEST(FormattedText, KeepsATypedPlusSign)
{
    EXPECT_EQ(FormattedText({}, 12, u"+12").text, u"+12");
    // A value set to a negative one keeps its own sign only.
    EXPECT_EQ(FormattedText({}, -5, u"+12").text, u"-5");
}

TEST(FormattedText, ClampsToTheLimits)
{
    EXPECT_EQ(FormattedText(limited(0, 10), 25).text, u"10");
    EXPECT_EQ(FormattedText(limited(0, 10), -3).text, u"0");
    NumberFormat maxOnly = limited(0, 10);
    maxOnly.LimitOptions = loMax;
    EXPECT_EQ(FormattedText(maxOnly, -3).text, u"-3");
    // Raising the last decimal must not carry the value past the end it was clamped to.
    NumberFormat f = limited(-10.05L, 10.05L);
    f.Figure = 1;
    f.RoundMode = rmUp;
    EXPECT_EQ(FormattedText(f, 11).text, u"10.0");
    EXPECT_EQ(FormattedText(f, -11).text, u"-10.0");
    EXPECT_EQ(FormattedText(f, 10.01L).text, u"10.0");
    EXPECT_EQ(FormattedText(f, 9.91L).text, u"10.0"); // inside the range, raised as usual
}

TEST(FormattedText, Hexadecimal)
{
    EXPECT_EQ(FormattedText(hex(false), -1).text, u"FFFFFFFF");
    EXPECT_EQ(FormattedText(hex(true), -1).text, u"-1");
    EXPECT_EQ(FormattedText(hex(false, 4), 255).text, u"00FF");
    EXPECT_EQ(FormattedText(hex(true, 4), -255).text, u"-00FF");
    EXPECT_EQ(FormattedText(hex(false), 1e12L).text, u"7FFFFFFF"); // clamped to 32 bits
    EXPECT_EQ(FormattedText(hex(true), 1e30L).text, u"7FFFFFFFFFFFFFFF");
    NumberFormat rounded = hex(false);
    rounded.RoundMode = rmRound;
    EXPECT_EQ(FormattedText(rounded, 12.5L).text, u"D");
    EXPECT_EQ(FormattedText(hex(false), 12.9L).text, u"C");
}

TEST(WholeNumbers, RoundWithTheRoundModeAndClamp)
{
    EXPECT_EQ(AsInt64(decimals(-1, rmRound), 2.5L), 3);
    EXPECT_EQ(AsInt64(decimals(-1, rmRound), -2.5L), -3);
    EXPECT_EQ(AsInt64(decimals(-1, rmDown), -2.7L), -2);
    EXPECT_EQ(AsInt64(decimals(-1, rmUp), 2.1L), 3);
    EXPECT_EQ(AsInt64({}, 1e30L), std::numeric_limits<qint64>::max());
    EXPECT_EQ(AsInteger({}, 3e9L), std::numeric_limits<qint32>::max());
    EXPECT_EQ(AsInteger({}, -3e9L), std::numeric_limits<qint32>::min());
    EXPECT_EQ(AsInteger({}, std::numeric_limits<Extended>::quiet_NaN()), 0);
    EXPECT_EQ(AsText({}, 1e25L), u"1E25");
    EXPECT_EQ(AsText(hex(true), -31), u"-1F");
    EXPECT_EQ(AsText(hex(false), -1), u"FFFFFFFF");
}

// --- key filter and sign editing ---

TEST(KeyFilter, Decimal)
{
    const NumberFormat f;
    for (const char16_t key : u"0123456789+-.\b\t\r")
        EXPECT_TRUE(key == 0 || KeyPasses(f, {}, key)) << int(key);
    for (const char16_t key : u"aE ,/")
        EXPECT_FALSE(KeyPasses(f, {}, key)) << int(key);
    EXPECT_TRUE(KeyPasses(f, {}, u'c', true)); // Ctrl combinations pass
}

TEST(KeyFilter, MaxIntLengthLimitsTheIntegerPartOnly)
{
    NumberFormat f;
    f.MaxIntLength = 3;
    const QString text = QStringLiteral("123.4");
    EXPECT_FALSE(KeyPasses(f, {text, 2}, u'5'));
    EXPECT_FALSE(KeyPasses(f, {text, 3}, u'5')); // just before the separator is still the integer part
    EXPECT_TRUE(KeyPasses(f, {text, 4}, u'5'));
    EXPECT_TRUE(KeyPasses(f, {text, 5}, u'5'));
    EXPECT_TRUE(KeyPasses(f, {text, 0}, u'-'));
    EXPECT_TRUE(KeyPasses(f, {text, 1, 1}, u'5'));  // replaces a digit
    EXPECT_FALSE(KeyPasses(f, {text, 3, 1}, u'5')); // replacing the separator would join the parts
    EXPECT_FALSE(KeyPasses(f, {text, 2}, u'x', true));
    // Signs and thousands separators are not digits.
    EXPECT_TRUE(KeyPasses(f, {QStringLiteral("-12"), 3}, u'5'));
    EXPECT_FALSE(KeyPasses(f, {QStringLiteral("1,23"), 4}, u'5'));
    EXPECT_FALSE(KeyPasses(f, {QStringLiteral("-123"), 0, 1}, u'5'));
}

TEST(KeyFilter, Hexadecimal)
{
    for (const char16_t key : u"09AFaf\b")
        EXPECT_TRUE(key == 0 || KeyPasses(hex(false), {}, key)) << int(key);
    for (const char16_t key : u"Gg.+-")
        EXPECT_FALSE(KeyPasses(hex(false), {}, key)) << int(key);
    EXPECT_TRUE(KeyPasses(hex(true), {}, u'-'));
    EXPECT_FALSE(KeyPasses(hex(true), {QStringLiteral("1F")}, u'+'));
    EXPECT_TRUE(KeyPasses(hex(true), {QStringLiteral("-1F")}, u'+'));
}

TEST(SignEditing, TogglesTheSignAtTheFront)
{
    const struct
    {
        QString text;
        qsizetype caret;
        char16_t key;
        QString edited;
        qsizetype newCaret;
    } cases[] = {
        {QStringLiteral("12"), 1, u'-', QStringLiteral("-12"), 2},
        {QStringLiteral("-12"), 2, u'-', QStringLiteral("12"), 1},
        {QStringLiteral("-12"), 0, u'-', QStringLiteral("12"), 0}, // never left of the start
        {QStringLiteral("+12"), 3, u'-', QStringLiteral("-12"), 3},
        {QStringLiteral("-12"), 3, u'+', QStringLiteral("+12"), 3},
        {QStringLiteral("+12"), 3, u'+', QStringLiteral("12"), 2},
        {QStringLiteral("12"), 2, u'+', QStringLiteral("+12"), 3},
        {QString(), 0, u'-', QStringLiteral("-"), 1},
    };
    for (const auto& c : cases) {
        const KeyResult result = PressKey({}, {c.text, c.caret}, c.key);
        EXPECT_EQ(result.action, KeyAction::SignEdited) << qPrintable(c.text);
        EXPECT_EQ(result.state.text, c.edited) << qPrintable(c.text) << " " << char(c.key);
        EXPECT_EQ(result.state.selStart, c.newCaret) << qPrintable(c.text) << " " << char(c.key);
    }
    // A selection at the start goes first.
    EXPECT_EQ(PressKey({}, {QStringLiteral("123"), 0, 2}, u'-').state.text, u"-3");
    // Hexadecimal "+" only removes a minus sign.
    EXPECT_EQ(PressKey(hex(true), {QStringLiteral("-1F"), 3}, u'+').state.text, u"1F");
}

TEST(SignEditing, SecondSeparatorIsDiscarded)
{
    EXPECT_EQ(PressKey({}, {QStringLiteral("1.5"), 3}, u'.').action, KeyAction::Discard);
    EXPECT_EQ(PressKey({}, {QStringLiteral("1.5"), 1, 1}, u'.').action, KeyAction::PassOn); // replaces it
    EXPECT_EQ(PressKey({}, {QStringLiteral("15"), 1}, u'.').action, KeyAction::PassOn);
    EXPECT_EQ(PressKey({}, {}, u'x').action, KeyAction::Discard);
}

// --- change handling while typing ---

TEST(TextChange, CommaRegroupsWhileTyping)
{
    NumberField field;
    field.SetComma(true);
    field.SetText(QString());
    type(field, QStringLiteral("1234567"));
    EXPECT_EQ(field.Text(), u"1,234,567");
    EXPECT_EQ(field.SelStart(), field.Text().size());
    EXPECT_EQ(field.Value(), 1234567);
    field.KeyPress(kKeyBackspace);
    EXPECT_EQ(field.Text(), u"123,456");
    EXPECT_EQ(field.SelStart(), 7);
    // Typing in the middle keeps the caret beside the same digit.
    field.SetText(QStringLiteral("123"));
    field.SetSelection(1);
    type(field, QStringLiteral("9"));
    EXPECT_EQ(field.Text(), u"1,923");
    EXPECT_EQ(field.SelStart(), 3);
}

TEST(TextChange, EmptyAndSignOnlyReadZeroWithoutNotification)
{
    for (const QString& text : {QString(), QStringLiteral("-"), QStringLiteral("+")}) {
        const TextChange change = HandleTextChange({}, text, 0);
        EXPECT_EQ(change.value, Extended(0));
        EXPECT_FALSE(change.notify);
    }
    const TextChange bad = HandleTextChange({}, QStringLiteral("-."), 2);
    EXPECT_FALSE(bad.value.has_value());
    EXPECT_EQ(bad.error, QStringLiteral("'-.' は浮動小数点数ではありません"));
    EXPECT_EQ(bad.text, u"-.");
}

TEST(TextChange, RoundsAndClampsTheValueButNotTheText)
{
    NumberField field(limited(0, 10));
    field.Enter();
    type(field, QStringLiteral("25"));
    EXPECT_EQ(field.Text(), u"25");
    EXPECT_EQ(field.Value(), 10);
    field.Leave();
    EXPECT_EQ(field.Text(), u"10");

    NumberField rounded(decimals(2, rmDown));
    rounded.Enter();
    type(rounded, QStringLiteral("12.349"));
    EXPECT_EQ(rounded.Text(), u"12.349");
    EXPECT_EQ(rounded.Value(), 12.34L);
    rounded.Leave();
    EXPECT_EQ(rounded.Text(), u"12.34");

    NumberField whole(decimals(0));
    whole.Enter();
    EXPECT_EQ(whole.SetText(QStringLiteral(".4")), QString()); // no conversion error
    EXPECT_EQ(whole.Value(), 0);
}

// --- paste ---

TEST(Paste, FiltersTheClipboardText)
{
    const auto paste = [](const NumberFormat& f, const EditState& s, const QString& clip) {
        const auto result = PasteIntoText(f, s, clip);
        return result ? result->text : QStringLiteral("<nothing>");
    };
    EXPECT_EQ(paste({}, {}, QStringLiteral("a1b2.3c")), u"12.3");
    EXPECT_EQ(paste({}, {}, QStringLiteral("-1-2")), u"-12"); // a sign only as the first character
    EXPECT_EQ(paste({}, {QStringLiteral("5"), 1}, QStringLiteral("-1")), u"51");
    EXPECT_EQ(paste({}, {QStringLiteral("1.5"), 3}, QStringLiteral("2.5")), u"1.525");
    EXPECT_EQ(paste({}, {QStringLiteral("-12"), 0}, QStringLiteral("3")), u"<nothing>");
    EXPECT_EQ(paste({}, {QStringLiteral("12"), 0, 2}, QStringLiteral("+7")), u"+7");
    EXPECT_EQ(paste(hex(true), {}, QStringLiteral("-0x1fG")), u"01f");

    NumberField field;
    field.SetText(QStringLiteral("12"));
    field.Paste(std::nullopt);
    EXPECT_EQ(field.Text(), u"12");
    field.SetSelection(2);
    field.Paste(QStringLiteral("3,4"));
    EXPECT_EQ(field.Text(), u"1234");
    EXPECT_EQ(field.Value(), 1234);
}

// --- stepping ---

TEST(Stepping, WrapsAroundTheRange)
{
    NumberField field(limited(1, 5));
    field.SetAllowKeys(true);
    field.SetWrap(true);
    field.SetValue(5);
    field.ArrowKey(adUp);
    EXPECT_EQ(field.Value(), 1);
    field.ArrowKey(adDown);
    EXPECT_EQ(field.Value(), 5);
    field.SetWrap(false);
    field.ArrowKey(adUp);
    EXPECT_EQ(field.Value(), 5);
    EXPECT_EQ(field.Text(), u"5");

    NumberFormat maxOnly = limited(1, 5);
    maxOnly.Wrap = true;
    maxOnly.LimitOptions = loMax;
    EXPECT_EQ(SteppedValue(maxOnly, 5, adUp), 5); // no lower end to wrap to
    EXPECT_EQ(SteppedValue(maxOnly, 1, adDown), 0);
}

TEST(Stepping, HandlerMayChangeTheValueAndAllowKeysGatesTheArrows)
{
    NumberField field;
    field.SetIncrement(0.5L);
    field.ArrowKey(adUp);
    EXPECT_EQ(field.Value(), 0);
    field.SetAllowKeys(true);
    field.ArrowKey(adUp);
    EXPECT_EQ(field.Text(), u"0.5");
    field.OnArrowKeyChange = [](NumberField&, TArrowKeyDirection direction, Extended& value) {
        if (direction == adDown)
            value = 42;
    };
    field.ArrowKey(adDown);
    EXPECT_EQ(field.Value(), 42);
}

// --- the field's properties ---

TEST(NumberField, TypingAndLeaving)
{
    NumberField field;
    EXPECT_EQ(field.Text(), u"0");
    int changes = 0;
    field.OnChange = [&](NumberField&) { ++changes; };
    field.Enter();
    type(field, QStringLiteral("12.345"));
    EXPECT_EQ(field.Value(), 12.345L);
    EXPECT_GT(changes, 0);
    field.Leave();
    EXPECT_EQ(field.Text(), u"12.345");
    EXPECT_TRUE(field.Modified());

    // The sign keys edit the text wherever the caret is; a typed "+" stays.
    field.Enter();
    field.SetSelection(1);
    field.KeyPress(u'-');
    EXPECT_EQ(field.Text(), u"-12.345");
    field.KeyPress(u'+');
    field.Leave();
    EXPECT_EQ(field.Text(), u"+12.345");
    EXPECT_TRUE(field.Modified()); // a sign change is an edit too

    field.Enter();
    field.Leave();
    EXPECT_FALSE(field.Modified());
}

TEST(NumberField, SettersReformat)
{
    NumberField field;
    field.SetValue(3.14159L);
    field.SetFigure(2);
    EXPECT_EQ(field.Text(), u"3.14");
    field.SetFixed(true);
    field.SetValue(3);
    EXPECT_EQ(field.Text(), u"3.00");
    field.SetValue(0);
    field.SetZeroVisible(false);
    EXPECT_EQ(field.Text(), u"");

    field.SetMax(10);
    field.SetMin(20); // pushes Max up
    EXPECT_EQ(field.Max(), 20);
    field.SetMax(-5); // pulls Min down
    EXPECT_EQ(field.Min(), -5);
    field.SetLimit(true);
    EXPECT_EQ(field.Value(), -5);
    EXPECT_EQ(field.Text(), u"-5.00");
}

TEST(NumberField, NumberTypeSwitch)
{
    NumberField field;
    field.SetValue(-1);
    field.SetNumberType(ntHex);
    EXPECT_EQ(field.Text(), u"FFFFFFFF");
    EXPECT_EQ(field.Value(), -1);
    field.SetValidMinus(true);
    EXPECT_EQ(field.Text(), u"-1");
    field.SetNumberType(ntDecimal);
    field.SetNumberType(ntHex);
    EXPECT_EQ(field.Value(), -1); // not 4294967295
    // Back to decimal in the plain form: "1E18" would not read back.
    field.SetValue(1e18L);
    EXPECT_EQ(field.Text(), u"DE0B6B3A7640000");
    field.SetNumberType(ntDecimal);
    EXPECT_EQ(field.Text(), u"1000000000000000000");
    EXPECT_EQ(field.Value(), 1e18L);
}

} // namespace
} // namespace korbena
