#include "platform/TextCodec932.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

QByteArray bytes(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// --- encoding ---

TEST(Cp932Encode, JapaneseTextHasItsShiftJisBytes)
{
    // Hiragana, kanji, full-width letters, half-width katakana, an NEC special
    // character and ASCII, each with the bytes of the code page's table.
    EXPECT_EQ(cp932::encode(u"あ"), bytes("82a0"));
    EXPECT_EQ(cp932::encode(u"日本"), bytes("93fa967b"));
    EXPECT_EQ(cp932::encode(u"ＭＳ 明朝"), bytes("826c82722096be92a9"));
    EXPECT_EQ(cp932::encode(u"ｱ"), bytes("b1"));
    EXPECT_EQ(cp932::encode(u"①"), bytes("8740"));
    EXPECT_EQ(cp932::encode(u"A=1;"), QByteArray("A=1;"));
    EXPECT_TRUE(cp932::encode(u"").isEmpty());
}

TEST(Cp932Encode, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(cp932::encode(u"a€b"), QByteArray("a?b"));
    EXPECT_EQ(cp932::encode(u"é"), QByteArray("?"));
    // A character beyond the basic plane is two UTF-16 units but one character.
    EXPECT_EQ(cp932::encode(u"x\U0001F600y"), QByteArray("x?y"));
    EXPECT_EQ(cp932::encode(u"\U0001F600\U0001F600"), QByteArray("??"));
    // Broken UTF-16 in memory: lone surrogates, also at the very end.
    const QString lone =
        QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00) + QChar(0xD83D);
    EXPECT_EQ(cp932::encode(lone), QByteArray("a?b??"));
    EXPECT_EQ(cp932::encode(u"€あ€"), QByteArray("?\x82\xa0?"));
}

TEST(Cp932Encode, NoByteOrderMarkIsWritten)
{
    EXPECT_EQ(cp932::encode(u"abc"), QByteArray("abc"));
}

// --- decoding ---

TEST(Cp932Decode, ShiftJisBytesGiveTheirCharacters)
{
    EXPECT_EQ(cp932::decode(bytes("93fa967b")), QStringLiteral("日本"));
    EXPECT_EQ(cp932::decode(bytes("b1")), QStringLiteral("ｱ"));
    EXPECT_EQ(cp932::decode(bytes("8740")), QStringLiteral("①"));
    EXPECT_EQ(cp932::decode(QByteArray("[A]=1")), QStringLiteral("[A]=1"));
    EXPECT_TRUE(cp932::decode(QByteArray()).isEmpty());
}

TEST(Cp932Decode, BadBytesBecomeReplacementCharactersAndReadingGoesOn)
{
    // Bytes that start no character.
    EXPECT_EQ(cp932::decode(bytes("4180ff42")), QStringLiteral("A\uFFFD\uFFFDB"));
    // A lead byte followed by a byte that cannot trail it: the lead alone is bad,
    // the next byte is read on its own.
    EXPECT_EQ(cp932::decode(bytes("8220")), QStringLiteral("\uFFFD "));
    // A double-byte character cut off at the end of the file.
    EXPECT_EQ(cp932::decode(bytes("82a082")), QStringLiteral("あ\uFFFD"));
    EXPECT_EQ(cp932::decode(bytes("82")), QStringLiteral("\uFFFD"));
}

TEST(Cp932Decode, EncodableTextRoundTrips)
{
    const QString text = QStringLiteral("[TITLE]=ＭＳ 明朝;ｶﾀｶﾅ;①②;\\~;漢字かなカナ");
    EXPECT_EQ(cp932::decode(cp932::encode(text)), text);
}

// --- UTF-8 detection ---

TEST(Utf8Detection, NeedsAByteOrderMarkOrValidNonAsciiUtf8)
{
    EXPECT_TRUE(looksLikeUtf8(QByteArray("\xEF\xBB\xBF"
                                         "abc")));
    EXPECT_TRUE(looksLikeUtf8(QStringLiteral("日本,1").toUtf8()));
    // Plain ASCII reads the same either way; it stays code page 932.
    EXPECT_FALSE(looksLikeUtf8(QByteArray("abc,def")));
    EXPECT_FALSE(looksLikeUtf8(QByteArray()));
    // Shift_JIS text is not valid UTF-8.
    EXPECT_FALSE(looksLikeUtf8(bytes("93fa967b2c31")));
    EXPECT_FALSE(looksLikeUtf8(bytes("b1b2b3")));
    // UTF-8 cut in the middle of a character is not taken as UTF-8.
    EXPECT_FALSE(looksLikeUtf8(bytes("e697a5e6")));
}

// --- lines ---

TEST(SplitLines, BreaksAtCrLfLfAndLoneCr)
{
    EXPECT_EQ(splitLines(u"a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines(u"a\r\n\r\nb"), QStringList({"a", "", "b"}));
    // A final break ends the last line; it starts no new one.
    EXPECT_EQ(splitLines(u"a\r\nb\r\n"), QStringList({"a", "b"}));
    EXPECT_EQ(splitLines(u"\r\n"), QStringList({""}));
    EXPECT_TRUE(splitLines(u"").isEmpty());
    EXPECT_EQ(splitLines(u"\n\r"), QStringList({"", ""}));
}

TEST(SplitLines, JoiningWithCrLfAndSplittingAgainGivesTheLines)
{
    const QStringList lines = {"[A]=1", "", "日本"};
    EXPECT_EQ(joinLinesCrLf(lines), QStringLiteral("[A]=1\r\n\r\n日本\r\n"));
    EXPECT_EQ(splitLines(joinLinesCrLf(lines)), lines);
    EXPECT_TRUE(joinLinesCrLf({}).isEmpty());
}

} // namespace
} // namespace korbena
