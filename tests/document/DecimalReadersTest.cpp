// The style file, the data file and the numeric field read decimal text with one
// scanner: where their forms meet they must take and refuse the same texts, with the
// same values and the same messages.
#include "document/NumberFormat.h"
#include "document/ValueText.h"
#include "symbol/CheckDigits.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

TEST(DecimalReaders, StyleFileAndFieldReadDecimalsAlike)
{
    const struct
    {
        const char16_t* text;
        std::int64_t fixed4;
    } read[] = {
        {u"12.5", 125000},   {u"-.5", -5000}, {u"5.", 50000},  {u" 2.25 ", 22500},
        {u"1.5e2", 1500000}, {u"2.5E-3", 25}, {u"+0.0001", 1}, {u"-0.0", 0},
    };
    for (const auto& [text, fixed4] : read) {
        const QString shown = QString::fromUtf16(text);
        EXPECT_EQ(readFixed4(text), fixed4) << shown.toStdString();
        const NumberRead field = ReadNumberText(text);
        EXPECT_TRUE(field.ok) << shown.toStdString();
        EXPECT_EQ(static_cast<std::int64_t>(field.value * 10000 + (field.value < 0 ? -0.5L : 0.5L)), fixed4)
            << shown.toStdString();
    }
    for (const char16_t* text : {u".", u"-.", u"1.2.3", u"1.e", u".e1", u"1.5x", u"１.５", u"1.5e+"}) {
        const QString shown = QString::fromUtf16(text);
        EXPECT_FALSE(readFixed4(text).has_value()) << shown.toStdString();
        const NumberRead field = ReadNumberText(text);
        EXPECT_FALSE(field.ok) << shown.toStdString();
        EXPECT_EQ(field.error, ConversionError(ConversionError::Expected::Decimal, text, {}, 1).message());
    }
}

TEST(DecimalReaders, IntegersReadAlikeAndFailWithOneMessage)
{
    for (const char16_t* text : {u"0", u"-2147483648", u"2147483647", u" +7", u"000123"}) {
        const auto style = readInteger32(text);
        ASSERT_TRUE(style.has_value()) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(ReadNumberText(text).value, *style);
    }
    for (const char16_t* text : {u"12a", u"7 ", u"--1", u"１２"}) {
        EXPECT_FALSE(readInteger32(text).has_value());
        EXPECT_EQ(ReadNumberText(text).error,
                  ConversionError(ConversionError::Expected::Integer, text, {}, 1).message());
    }
    // The check-digit calculator words a refused character the same way.
    QString error;
    EXPECT_TRUE(Modulus10Weight3(u"12a", &error).isEmpty());
    EXPECT_EQ(error, ConversionError(ConversionError::Expected::Integer, u"a", {}, 1).message());
}

} // namespace
} // namespace korbena
