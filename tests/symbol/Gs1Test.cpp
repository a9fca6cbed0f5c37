#include "symbol/Gs1.h"

#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// Valid element strings read into their elements; the FNC1 separator follows a
// variable-length element only, never the last one (GS1 General Specifications
// 7.8.5).
TEST(Gs1, ValidStringsAndTheirSeparators)
{
    const Gs1Reading reading = readGs1(QStringLiteral("(01)04912345678904(17)270101(10)LOT1(21)S(N)1"));
    ASSERT_TRUE(reading.ok()) << qPrintable(reading.error);
    ASSERT_EQ(reading.elements.size(), 4U);
    EXPECT_EQ(reading.elements[3], (Gs1Element{QStringLiteral("21"), QStringLiteral("S(N)1")}));
    EXPECT_EQ(gs1Transmitted(reading.elements), QStringLiteral("01049123456789041727010110LOT1\x1d"
                                                               "21S(N)1"));
    EXPECT_EQ(gs1Code128Input(reading.elements),
              QStringLiteral("<FNC1>01049123456789041727010110LOT1<FNC1>21S(N)1"));
    EXPECT_EQ(gs1Bracketed(reading.elements),
              QStringLiteral("[01]04912345678904[17]270101[10]LOT1[21]S(N)1"));
    // "<" and ">" are GS1 characters that our CODE-128 syntax escapes by doubling.
    EXPECT_EQ(gs1Code128Input(readGs1(QStringLiteral("(10)A<B>")).elements),
              QStringLiteral("<FNC1>10A<<B>>"));
    // The convenience-store payment string: AI 91 and 42 digits.
    EXPECT_TRUE(readGs1(QStringLiteral("(91)") + QString(42, u'7')).ok());
    // Decimal-point identifiers, a month-only date, 29 February of a leap year.
    EXPECT_TRUE(readGs1(QStringLiteral("(3103)001250(15)270200(11)280229")).ok());
}

TEST(Gs1, FaultsNameTheIdentifier)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("(01)04912345678905"), QStringLiteral("(01) のチェックディジット")},
        {QStringLiteral("(00)049123450000000018"), QStringLiteral("(00) のチェックディジット")},
        {QStringLiteral("(02)14912345678902"), QStringLiteral("(02) のチェックディジット")},
        {QStringLiteral("(01)4912345678904"), QStringLiteral("(01) のデータは 14 桁")},
        {QStringLiteral("(10)A(01)0491234567890X"), QStringLiteral("(01) のデータには数字だけ")},
        {QStringLiteral("(17)270231"), QStringLiteral("(17) の日付")},
        {QStringLiteral("(11)270229"), QStringLiteral("(11) の日付")},
        {QStringLiteral("(7006)270100"), QStringLiteral("(7006) の日付")},
        {QStringLiteral("(3106)123456"), QStringLiteral("(3106) は登録された")},
        {QStringLiteral("(10)ロット"), QStringLiteral("(10) のデータに使えない文字")},
        {QStringLiteral("(21)") + QString(21, u'1'), QStringLiteral("(21) のデータは 1 から 20 文字")},
        {QStringLiteral("(10)(21)1"), QStringLiteral("(10) のデータがありません")},
        {QStringLiteral("0104912345678904"), QStringLiteral("(AI) で始めて")},
        {QString(), QStringLiteral("(AI) で始めて")},
    };
    for (const auto& [text, message] : cases) {
        const QString problem = gs1Problem(text);
        EXPECT_TRUE(problem.contains(message)) << qPrintable(text) << ": " << qPrintable(problem);
    }
}

// GS1-128 through our CODE-128 encoder: FNC1 first, the human form as its text, at
// most 48 characters.
TEST(Gs1, Gs1_128Encoding)
{
    const Encoding ok = encodeGs1_128(QStringLiteral("(01)04912345678904(10)AB"));
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.symbol, QStringLiteral("(01)04912345678904(10)AB"));
    EXPECT_TRUE(ok.workSymbol.startsWith(QStringLiteral("C<FNC1>0104912345678904")))
        << qPrintable(ok.workSymbol);
    EXPECT_FALSE(ok.startChar.has_value());
    EXPECT_TRUE(encodeGs1_128(QStringLiteral("(91)") + QString(46, u'1')).ok());
    EXPECT_FALSE(encodeGs1_128(QStringLiteral("(91)") + QString(47, u'1')).ok());
    EXPECT_FALSE(encodeGs1_128(QStringLiteral("(01)04912345678905")).ok());
}

// A matrix symbol's picture is whole square modules of Scale pixels with its quiet
// zone; rotation turns it, colours and the frame apply as to bars.
TEST(MatrixSymbol, PictureIsWholeModulesAndTransformsApply)
{
    BarImage bar;
    configureMainWindowBarImage(bar);
    bar.SetBarType(cbarQR);
    bar.SetCode(QStringLiteral("HELLO"));
    ASSERT_TRUE(bar.BarDisped());
    const ModuleMatrix& m = bar.LastMatrix();
    EXPECT_EQ(m.width, 21);
    EXPECT_EQ(bar.Width(), (21 + 8) * 5);
    EXPECT_EQ(bar.Height(), (21 + 8) * 5);
    const QImage upright = bar.Picture().bitmap()->image().convertToFormat(QImage::Format_RGB32);
    // Each module is a 5 x 5 block of one colour, matching the matrix.
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const QRgb colour = upright.pixel((x + 4) * 5, (y + 4) * 5);
            EXPECT_EQ(colour, upright.pixel((x + 4) * 5 + 4, (y + 4) * 5 + 4));
            EXPECT_EQ(qGray(colour) < 128, m.dark(x, y)) << x << "," << y;
        }

    bar.SetAngle(90);
    const QImage turned = bar.Picture().bitmap()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(turned, upright.transformed(QTransform().rotate(90)));
    bar.SetAngle(0);

    bar.SetBarColor(0x0000FF); // red in the platform's byte order
    bar.SetBarFrame(3);
    const QImage framed = bar.Picture().bitmap()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(framed.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(framed.pixel(4 * 5, 4 * 5), qRgb(255, 0, 0)); // the finder's corner

    // GS1 mode checks the string against the table first.
    bar.SetMatrixSettings({QrErrorCorrection::M, DataMatrixShape::Square, true});
    bar.SetCode(QStringLiteral("(01)04912345678905"));
    EXPECT_FALSE(bar.BarDisped());
    bar.SetCode(QStringLiteral("(01)04912345678904"));
    EXPECT_TRUE(bar.BarDisped());
}

// Without an installed encoder (a program that never installs libzint) nothing is
// drawn, as for data that cannot be encoded.
TEST(MatrixSymbol, NoEncoderDrawsNothing)
{
    const MatrixEncoder installed = matrixEncoder();
    setMatrixEncoder(nullptr);
    BarImage bar;
    configureMainWindowBarImage(bar);
    bar.SetBarType(cbarDATAMATRIX);
    bar.SetCode(QStringLiteral("DATA"));
    EXPECT_FALSE(bar.BarDisped());
    setMatrixEncoder(installed);
    bar.RepaintBarcode();
    EXPECT_TRUE(bar.BarDisped());
}

} // namespace
} // namespace korbena

namespace korbena {
namespace {

// Data characters "<" and ">" are GS1 characters: they never read as CODE-128 escapes,
// whatever follows them, so every string the table accepts is encoded.
TEST(Gs1_128, AngleBracketsInDataAreCharactersNotEscapes)
{
    for (const char* text : {"(21)<CODEB>", "(21)<<<<<<<<CODEB>", "(21)<FNC1>x", "(10)A<B>C(21)9"}) {
        SCOPED_TRACE(text);
        const Encoding encoding = encodeGs1_128(QString::fromLatin1(text));
        ASSERT_TRUE(encoding.ok());
        EXPECT_EQ(encoding.symbol, QString::fromLatin1(text));
    }
}

} // namespace
} // namespace korbena
