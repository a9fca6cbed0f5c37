// JAN and UPC numbers written in full, with the check digit that is printed under the
// bars: the right digit gives the symbol of the shorter number, a wrong one is refused
// and named.
#include "symbol/BarImage.h"
#include "symbol/Encoders.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

struct FullNumberCase
{
    TBarTypes type;
    const char* data; // without the check digit
    char check;       // the right check digit
};

Encoding encode(TBarTypes type, const QString& code)
{
    return type == cbarJAN ? encodeJan(code) : encodeUpc(code);
}

TEST(FullNumbers, RightCheckDigitGivesTheSameSymbolAndAWrongOneIsNamed)
{
    const FullNumberCase cases[] = {
        {cbarJAN, "490123456789", '4'},                            // EAN-13
        {cbarJAN, "4901234", '7'},                                 // EAN-8
        {cbarJAN, "123456789012", '8'}, {cbarJAN, "1234567", '0'}, // a check digit of 0
        {cbarUPC, "01234500005", '8'},                             // UPC-A
        {cbarUPC, "0123455", '8'},                                 // UPC-E: the check digit of its UPC-A form
        {cbarUPC, "0123435", '0'},
    };
    for (const FullNumberCase& c : cases) {
        const QString data = QString::fromLatin1(c.data);
        const QString full = data + QChar::fromLatin1(c.check);
        SCOPED_TRACE(full.toStdString());
        const Encoding shortForm = encode(c.type, data);
        const Encoding fullForm = encode(c.type, full);
        ASSERT_TRUE(shortForm.ok());
        ASSERT_TRUE(fullForm.ok());
        EXPECT_EQ(fullForm.pattern, shortForm.pattern);
        EXPECT_EQ(fullForm.workSymbol, full);
        EXPECT_EQ(fullForm.symbol, full);
        EXPECT_EQ(fullForm.cdn, c.check - '0');
        EXPECT_EQ(fullNumberCheckDigit(c.type, full), c.check - '0');
        EXPECT_TRUE(checkDigitFault(c.type, full).isEmpty());

        // Every other last digit: no symbol, and a message naming the right one.
        for (char wrong = '0'; wrong <= '9'; ++wrong) {
            if (wrong == c.check)
                continue;
            const QString bad = data + QChar::fromLatin1(wrong);
            EXPECT_FALSE(encode(c.type, bad).ok()) << bad.toStdString();
            EXPECT_EQ(checkDigitFault(c.type, bad),
                      QStringLiteral("チェックデジットが違います: %1（正しくは %2）").arg(bad).arg(c.check));
        }
    }
    EXPECT_EQ(checkDigitFault(cbarJAN, QStringLiteral("4901234567890")),
              QStringLiteral("チェックデジットが違います: 4901234567890（正しくは 4）"));
}

TEST(FullNumbers, OnlyFullNumbersOfTheSymbologyGetACheckDigitMessage)
{
    // Data without a check digit, other lengths, non-digits, a UPC-E number without a
    // UPC-A form, and the same digits under another symbology: no message.
    const std::pair<TBarTypes, const char*> silent[] = {
        {cbarJAN, "490123456789"},     {cbarJAN, "49012345678901"},
        {cbarJAN, "490123456789x"},    {cbarJAN, ""},
        {cbarJAN, "012345000050"},     {cbarUPC, "1234567"},
        {cbarUPC, "01200030"},         {cbarUPC, "11234558"},
        {cbarUPC, "4901234567890"},    {cbarITF, "4901234567890"},
        {cbarCODE128, "01234500005x"},
    };
    for (const auto& [type, code] : silent)
        EXPECT_TRUE(checkDigitFault(type, QString::fromLatin1(code)).isEmpty()) << code;
    // A 12-digit code is JAN data but a full UPC-A number, and the reverse for 11 and 13.
    EXPECT_TRUE(encodeJan(QStringLiteral("012345000057")).ok());
    EXPECT_FALSE(encodeUpc(QStringLiteral("012345000057")).ok());
    EXPECT_FALSE(checkDigitFault(cbarUPC, QStringLiteral("012345000057")).isEmpty());
    // Full-width digits are no digits, whatever their value.
    EXPECT_FALSE(encodeJan(QStringLiteral("４９０１２３４５６７８９４")).ok());
    EXPECT_TRUE(checkDigitFault(cbarJAN, QStringLiteral("４９０１２３４５６７８９４")).isEmpty());
}

TEST(FullNumbers, TheComponentDrawsTheFullNumberAsItsShortForm)
{
    BarImage shortBar;
    BarImage fullBar;
    for (BarImage* bar : {&shortBar, &fullBar}) {
        bar->SetBarType(cbarJAN);
        bar->SetBarEnabled(true);
    }
    shortBar.SetCode(QStringLiteral("490123456789"));
    fullBar.SetCode(QStringLiteral("4901234567894"));
    ASSERT_TRUE(fullBar.BarDisped());
    EXPECT_EQ(fullBar.LastPattern(), shortBar.LastPattern());
    EXPECT_EQ(fullBar.Symbol(), shortBar.Symbol());
    EXPECT_EQ(fullBar.Picture().bitmap()->image(), shortBar.Picture().bitmap()->image());
    fullBar.SetCode(QStringLiteral("4901234567890"));
    EXPECT_FALSE(fullBar.BarDisped());
}

} // namespace
} // namespace korbena
