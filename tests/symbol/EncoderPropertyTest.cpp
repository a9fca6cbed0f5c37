// Every symbology, through its encode function and through the component: arbitrary
// text (non-ASCII, lone surrogates, escapes cut short, very long text) never
// crashes, a failure writes nothing, and a pattern holds only the element digits
// its symbology can draw.
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

namespace korbena {
namespace {

using EncodeFunction = Encoding (*)(const QString&, const EncodeOptions&);

struct Symbology
{
    TBarTypes type;
    EncodeFunction encode;
    const char* allowed; // the element digits its patterns may hold
};

// Module patterns of EAN/UPC are 0/1; two-width symbologies 0..3; CODE-128 and
// CODE-93 module counts 0..7; the customer barcode its four bar masks and the gap.
const std::array<Symbology, 12> kSymbologies = {{
    {cbarJAN, encodeJan, "01"},
    {cbarUPC, encodeUpc, "01"},
    {cbarCODE39, encodeCode39, "0123"},
    {cbarNW7, encodeNw7, "0123"},
    {cbarITF, encodeItf, "0123"},
    {cbarCTF, encodeCtf, "0123"},
    {cbarIATA, encodeIata, "0123"},
    {cbarMATRIX, encodeMatrix, "0123"},
    {cbarNEC, encodeNec, "0123"},
    {cbarCUSTOMER, encodeCustomer, "02367"},
    {cbarCODE128, encodeCode128, "01234567"},
    {cbarCODE93, encodeCode93, "01234567"},
}};

// Pieces random text is made of: data of every symbology, escapes whole and cut
// short, and characters no symbology holds.
const std::array<QString, 30> kPieces = {
    QStringLiteral("0"),       QStringLiteral("7"),
    QStringLiteral("0123455"), QStringLiteral("494612200092"),
    QStringLiteral("A"),       QStringLiteral("Z"),
    QStringLiteral("a"),       QStringLiteral("-"),
    QStringLiteral(" "),       QStringLiteral("$"),
    QStringLiteral("%"),       QStringLiteral("*"),
    QStringLiteral("<FNC1>"),  QStringLiteral("<FNC"),
    QStringLiteral("<"),       QStringLiteral("<<"),
    QStringLiteral("<$"),      QStringLiteral("<$>"),
    QStringLiteral("<%>"),     QStringLiteral("</>"),
    QStringLiteral("<+>"),     QStringLiteral("<CODEA>"),
    QStringLiteral("<SHIFT"),  QStringLiteral(">"),
    QStringLiteral("é"),       QStringLiteral("漢字"),
    QStringLiteral("１２"),    QStringLiteral("\t\n"),
    QStringLiteral("ー"),      QStringLiteral("<CODEC>12"),
};

QString randomText(std::mt19937& rng)
{
    QString text;
    const int pieces = std::uniform_int_distribution<int>(0, 12)(rng);
    for (int i = 0; i < pieces; ++i) {
        switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
        case 0: // any UTF-16 unit, lone surrogates and NUL included
            text += QChar(static_cast<char16_t>(std::uniform_int_distribution<int>(0, 0xFFFF)(rng)));
            break;
        case 1:
            text += QChar(static_cast<char16_t>(std::uniform_int_distribution<int>(0xD800, 0xDFFF)(rng)));
            break;
        case 2: // printable ASCII
            text += QChar(static_cast<char16_t>(std::uniform_int_distribution<int>(0x20, 0x7E)(rng)));
            break;
        default:
            text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(rng)];
            break;
        }
    }
    return text;
}

EncodeOptions randomOptions(std::mt19937& rng)
{
    static constexpr char16_t kLetters[] = u"ABCDEa*";
    EncodeOptions o;
    o.cd = rng() % 2 == 0;
    o.automatic = rng() % 2 == 0;
    o.startChar = kLetters[rng() % 7];
    o.stopChar = kLetters[rng() % 7];
    return o;
}

// Checks one encoding; returns a description of what is wrong, or nothing.
std::string fault(const Symbology& s, const Encoding& e)
{
    if (!e.ok()) {
        if (!e.workSymbol.isEmpty() || !e.symbol.isEmpty() || e.cdn != -1)
            return "a failed encoding wrote its texts";
        return {};
    }
    for (const QChar c : e.pattern) {
        if (c.unicode() > 0x7F || std::strchr(s.allowed, static_cast<char>(c.unicode())) == nullptr)
            return "element digit '" + QString(c).toStdString() + "' outside " + s.allowed;
    }
    if (e.workSymbol.isEmpty())
        return "an encoding without WorkSymbol";
    return {};
}

TEST(EncoderProperty, ArbitraryTextThroughEveryEncoder)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 1500; ++round) {
        const QString text = randomText(rng);
        const EncodeOptions options = randomOptions(rng);
        for (const Symbology& s : kSymbologies) {
            const std::string problem = fault(s, s.encode(text, options));
            EXPECT_TRUE(problem.empty())
                << kBarTypeNames[s.type] << " " << text.toStdString() << ": " << problem;
        }
    }
}

TEST(EncoderProperty, ArbitraryTextThroughTheComponent)
{
    std::mt19937 rng(77031);
    for (const Symbology& s : kSymbologies) {
        BarImage bar;
        bar.SetBarEnabled(false);
        bar.SetScale(2);
        bar.SetMatch(true);
        bar.SetBarType(s.type);
        bar.SetBarEnabled(true);
        for (int round = 0; round < 150; ++round) {
            const EncodeOptions options = randomOptions(rng);
            bar.SetBarEnabled(false);
            bar.SetCD(options.cd);
            bar.SetAutomatic(options.automatic);
            bar.SetStartChar(options.startChar);
            bar.SetStopChar(options.stopChar);
            bar.SetBarEnabled(true);
            const QString before = bar.WorkSymbol();
            const QString text = randomText(rng);
            bar.SetCode(text);
            if (!bar.BarDisped()) {
                EXPECT_TRUE(bar.Symbol().isEmpty());
                EXPECT_EQ(bar.CDN(), -1);
                EXPECT_EQ(bar.WorkSymbol(), before) << kBarTypeNames[s.type] << " " << text.toStdString();
                continue;
            }
            for (const QChar c : bar.LastPattern())
                ASSERT_NE(std::strchr(s.allowed, static_cast<char>(c.unicode())), nullptr)
                    << kBarTypeNames[s.type] << " " << text.toStdString();
        }
    }
}

TEST(EncoderProperty, VeryLongText)
{
    const QString digits = QString(100000, u'7');
    QString mixed;
    for (int i = 0; i < 10000; ++i)
        mixed += QStringLiteral("A1<FNC1>é") + QChar(char16_t(0xD800)) + u'-';
    mixed += QStringLiteral("<FNC");
    const EncodeOptions options;
    for (const Symbology& s : kSymbologies) {
        for (const QString& text : {digits, mixed}) {
            const std::string problem = fault(s, s.encode(text, options));
            EXPECT_TRUE(problem.empty()) << kBarTypeNames[s.type] << ": " << problem;
        }
        // Through the component: too wide a symbol is not drawn, and nothing breaks.
        BarImage bar;
        bar.SetBarType(s.type);
        bar.SetCode(digits);
        bar.SetCode(mixed);
    }
}

} // namespace
} // namespace korbena
