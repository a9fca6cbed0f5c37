#include "document/ValueText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace korbena {
namespace {

TEST(ReadInteger32, DecimalWithinThirtyTwoBitsAndNothingElse)
{
    EXPECT_EQ(readInteger32(u"-16777201"), -16777201);
    EXPECT_EQ(readInteger32(u" +7"), 7);
    EXPECT_EQ(readInteger32(u"2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readInteger32(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(readInteger32(u"000000000000000000042"), 42);
    for (const char16_t* text : {u"", u"-", u"2147483648", u"-2147483649", u"99999999999999999999999", u"12 ",
                                 u"1.0", u"1e3", u"0x10", u"１２", u"1,000", u"--1"})
        EXPECT_FALSE(readInteger32(text).has_value()) << QString::fromUtf16(text).toStdString();
}

TEST(ReadFixed4, RoundsToFourDecimalsHalvesToEven)
{
    EXPECT_EQ(readFixed4(u"12.34567"), 123457);
    EXPECT_EQ(readFixed4(u"12.34565"), 123456);
    EXPECT_EQ(readFixed4(u"12.34575"), 123458);
    EXPECT_EQ(readFixed4(u"12.345650001"), 123457);
    EXPECT_EQ(readFixed4(u"-12.34565"), -123456);
    EXPECT_EQ(readFixed4(u"0.00005"), 0);
    EXPECT_EQ(readFixed4(u"0.00015"), 2);
    EXPECT_EQ(readFixed4(u"9.99995"), 100000);
}

TEST(ReadFixed4, TheFormsOfADecimalNumberAndNothingElse)
{
    EXPECT_EQ(readFixed4(u".5"), 5000);
    EXPECT_EQ(readFixed4(u"5."), 50000);
    EXPECT_EQ(readFixed4(u" -3 "), -30000);
    EXPECT_EQ(readFixed4(u"1.5E-3"), 15);
    EXPECT_EQ(readFixed4(u"2e2"), 2000000);
    EXPECT_EQ(readFixed4(u"1e-999999999"), 0);
    EXPECT_EQ(readFixed4(u"922337203685477.5807"), std::numeric_limits<std::int64_t>::max());
    for (const char16_t* text : {u"", u".", u"-.", u"12mm", u"1,5", u"1e", u"1e+", u"e5", u"1.2.3", u"１",
                                 u"922337203685477.5808", u"1e999999999", u"1 2"})
        EXPECT_FALSE(readFixed4(text).has_value()) << QString::fromUtf16(text).toStdString();
}

TEST(ToFixed4, MillimetresToTenThousandths)
{
    EXPECT_EQ(toFixed4(12.3457), 123457);
    EXPECT_EQ(toFixed4(-1.25), -12500);
    EXPECT_EQ(toFixed4(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(toFixed4(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ConversionError, MessagesAreTheSystemsWords)
{
    const ConversionError integer(ConversionError::Expected::Integer, u"abc", QStringLiteral("/a/b.lst"), 12);
    EXPECT_EQ(integer.message(), QStringLiteral("'abc' は整数ではありません"));
    EXPECT_TRUE(integer.detail().contains(QStringLiteral("/a/b.lst")));
    EXPECT_TRUE(integer.detail().contains(QStringLiteral("12")));
    const ConversionError decimal(ConversionError::Expected::Decimal, u"", QStringLiteral("x.kbz"), 1);
    EXPECT_STREQ(decimal.what(), "'' は浮動小数点数ではありません");
}

} // namespace
} // namespace korbena
