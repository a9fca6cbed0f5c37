#include "platform/TextCodec932.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

TEST(Cp932, JapaneseTextHasItsShiftJisBytesAndNoByteOrderMark)
{
    // Hiragana, kanji, full-width letters, half-width katakana, an NEC special
    // character, each with the bytes of the code page's table.
    EXPECT_EQ(cp932::encode(u"あ日本"), hex("82a093fa967b"));
    EXPECT_EQ(cp932::encode(u"ＭＳ 明朝"), hex("826c82722096be92a9"));
    EXPECT_EQ(cp932::encode(u"ｱ①A;"), hex("b18740413b"));
    EXPECT_TRUE(cp932::encode(u"").isEmpty());
    EXPECT_EQ(cp932::decode(hex("82a093fa967bb18740")), QStringLiteral("あ日本ｱ①"));

    const QString text = QStringLiteral("[TITLE]=ＭＳ 明朝;ｶﾀｶﾅ;①②;\\~;漢字かなカナ");
    EXPECT_EQ(cp932::decode(cp932::encode(text)), text);
}

TEST(Cp932, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(cp932::encode(u"a€b"), QByteArray("a?b"));
    EXPECT_EQ(cp932::encode(u"€あ€"), QByteArray("?\x82\xa0?"));
    // A character beyond the basic plane is two UTF-16 units but one character.
    EXPECT_EQ(cp932::encode(u"x\U0001F600\U0001F600y"), QByteArray("x??y"));
    // Broken UTF-16 in memory: lone surrogates, one at the very end.
    const QString lone =
        QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00) + QChar(0xD83D);
    EXPECT_EQ(cp932::encode(lone), QByteArray("a?b??"));
}

TEST(Cp932, BadBytesBecomeReplacementCharactersAndReadingGoesOn)
{
    EXPECT_EQ(cp932::decode(hex("4180ff42")), QStringLiteral("A\uFFFD\uFFFDB"));
    // A lead byte before a byte that cannot trail it: the next byte is read alone.
    EXPECT_EQ(cp932::decode(hex("8220")), QStringLiteral("\uFFFD "));
    // A double-byte character cut off at the end of the file.
    EXPECT_EQ(cp932::decode(hex("82a082")), QStringLiteral("あ\uFFFD"));
}

TEST(Utf8Detection, NeedsAByteOrderMarkOrValidNonAsciiUtf8)
{
    EXPECT_TRUE(looksLikeUtf8("\xEF\xBB\xBF"
                              "abc"));
    EXPECT_TRUE(looksLikeUtf8(QStringLiteral("日本,1").toUtf8()));
    EXPECT_FALSE(looksLikeUtf8("abc,def")); // ASCII reads the same either way
    EXPECT_FALSE(looksLikeUtf8(hex("93fa967b2c31")));
    EXPECT_FALSE(looksLikeUtf8(hex("b1b2b3")));
    EXPECT_FALSE(looksLikeUtf8(hex("e697a5e6"))); // cut in the middle of a character
}

TEST(Lines, BreaksAtCrLfLfAndLoneCrAndJoinWithCrLf)
{
    EXPECT_EQ(splitLines(u"a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines(u"a\r\n\r\nb\r\n"), QStringList({"a", "", "b"})); // a final break starts no line
    EXPECT_EQ(splitLines(u"\r\n"), QStringList({""}));
    EXPECT_EQ(splitLines(u"\n\r"), QStringList({"", ""}));
    EXPECT_TRUE(splitLines(u"").isEmpty());
    EXPECT_EQ(joinLinesCrLf({"[A]=1", "", "日本"}), QStringLiteral("[A]=1\r\n\r\n日本\r\n"));
}

} // namespace
} // namespace korbena
