#include "platform/DecimalText.h"

#include <gtest/gtest.h>

#include <limits>

namespace korbena {
namespace {

TEST(DecimalText, OnlyAsciiDigitsAreDigits)
{
    EXPECT_TRUE(allAsciiDigits(u"0123456789"));
    EXPECT_TRUE(allAsciiDigits(u""));
    for (const char16_t* text : {u"１２", u"٣", u"12a", u"1 2", u"-1", u"/", u":"})
        EXPECT_FALSE(allAsciiDigits(text)) << QString::fromUtf16(text).toStdString();
}

TEST(DecimalText, ScanSplitsANumberIntoItsParts)
{
    const DecimalScan scan = scanDecimal(u"  -012.50e+3 ");
    EXPECT_TRUE(scan.complete);
    EXPECT_TRUE(scan.negative);
    EXPECT_TRUE(scan.point);
    EXPECT_EQ(scan.integerDigits, u"012");
    EXPECT_EQ(scan.fractionDigits, u"50");
    EXPECT_EQ(scan.exponent, 3);

    EXPECT_EQ(scanDecimal(u"1E-7").exponent, -7);
    // An exponent beyond any range saturates instead of overflowing.
    EXPECT_EQ(scanDecimal(u"1e99999999999999999999999").exponent, 1'000'000'000);
    EXPECT_EQ(scanDecimal(u"1e-99999999999999999999999").exponent, -1'000'000'000);

    for (const char16_t* text : {u"", u" ", u"-", u".", u"-.", u"e5", u".e5", u"1e", u"1e+", u"1.2.3",
                                 u"1..2", u"12a", u"１２", u"1 2", u"+-1", u"1,5"})
        EXPECT_FALSE(scanDecimal(text).complete) << QString::fromUtf16(text).toStdString();

    DecimalSyntax comma;
    comma.point = u',';
    EXPECT_TRUE(scanDecimal(u"1,5", comma).complete);
    EXPECT_FALSE(scanDecimal(u"1.5", comma).complete);
}

TEST(DecimalText, IntegersHaveNoPointNoExponentNoTrailingBlank)
{
    EXPECT_TRUE(scanDecimal(u" +42", kIntegerSyntax).complete);
    for (const char16_t* text : {u"42 ", u"4.2", u"4e2", u"4."})
        EXPECT_FALSE(scanDecimal(text, kIntegerSyntax).complete) << QString::fromUtf16(text).toStdString();

    EXPECT_EQ(readInteger64(u"9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(readInteger64(u"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(readInteger64(u"9223372036854775808").has_value());
    EXPECT_FALSE(readInteger64(u"-9223372036854775809").has_value());
    EXPECT_EQ(readInteger64(u"0000000000000000000000000007"), 7);

    EXPECT_EQ(digitsValue(u"255", 255), 255u);
    EXPECT_FALSE(digitsValue(u"256", 255).has_value());
    EXPECT_EQ(digitsValue(u"", 9), 0u);
}

TEST(DecimalText, TheConversionMessages)
{
    EXPECT_EQ(notAnIntegerMessage(u"abc"), QStringLiteral("'abc' は整数ではありません"));
    EXPECT_EQ(notADecimalMessage(u""), QStringLiteral("'' は浮動小数点数ではありません"));
}

} // namespace
} // namespace korbena
