#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "document/LabelStyle.h"
#include "document/ValueText.h"
#include "platform/Error.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::fileBytes;
using test::sampleFile;
using test::writeBytes;

// Applies lines as a load does and returns the error's message, or "" when the
// lines load.
QString apply(const QStringList& lines, LabelStyle& style, StyleFileExtras& extras)
{
    try {
        applyStyleLines(lines, style, extras, QStringLiteral("test.kbz"));
    } catch (const ConversionError& error) {
        return error.message();
    }
    return {};
}

QString apply(const QStringList& lines, LabelStyle& style)
{
    StyleFileExtras extras;
    return apply(lines, style, extras);
}

// A style with every field away from its initial value.
LabelStyle everyFieldChanged()
{
    LabelStyle s;
    s.DISP_KEY = -12;
    s.X_LOCATE = 1.25L;
    s.Y_LOCATE = -2.5L;
    s.SIZE_X = 40;
    s.SIZE_Y = 12.3457L;
    s.SIZE = 1;
    s.NUM_X = 3;
    s.NUM_Y = 10;
    s.INTERVAL_X = 70.1L;
    s.INTERVAL_Y = 33.9L;
    s.X_OFFSET = -0.5L;
    s.Y_OFFSET = 0.0001L;
    s.PAPERSIZE = 9;
    s.PAPERLAND = 1;
    s.TITLE_X = 5;
    s.TITLE_Y = 4.75L;
    s.TITLE_FONT_NAME = QStringLiteral("IPA=Font ＭＳ Ｐゴシック");
    s.TITLE_FONT_BOLD = QStringLiteral("太字斜体");
    s.TITLE_FONT_SIZE = QStringLiteral("10.5");
    s.TITLE_FONT_COLOE = 0x0000FF;
    s.G_TITLE_X = 0.3L;
    s.G_TITLE_Y = -0.3L;
    s.G_TITLE_COLOR = 0x808080;
    s.TITLE_INTERVAL = 1.5L;
    s.TITLE_PORTLATE = 1;
    s.SUB_Y = 4.5L;
    s.TITLE_PRINT = true;
    s.TITLE_CENTER = true;
    s.BARCODE_X = 6;
    s.BARCODE_Y = 25;
    s.BARCODE_FONT_NAME = QStringLiteral("ＭＳ ゴシック");
    s.BARCODE_FONT_BOLD = QString();
    s.BARCODE_FONT_SIZE = QStringLiteral("9");
    s.BARCODE_FONT_COLOR = 0;
    s.G_BARCODE_X = 0.2L;
    s.G_BARCODE_Y = 0.1L;
    s.G_BARCODE_COLOR = 0xFF000005;
    s.BARCODE_INTERVAL = 0.25L;
    s.BARCODE_PORTLATE = 1;
    s.BARCODE_PRINT = true;
    s.BARCODE_CENTER = true;
    s.BARCODE_TYPE = 10;
    s.START_CHAR = QStringLiteral("B");
    s.STOP_CHAR = QStringLiteral("C");
    s.CHECK_DT = 1;
    return s;
}

// --- the writer ---

TEST(StyleWriter, InitialStyleGivesTheFortySixLinesInOrder)
{
    const QStringList expected = {
        "[Version]=1.00",
        "[DISP_KEY]=3",
        "[X_LOCATE]=0",
        "[Y_LOCATE]=0",
        "[SIZE_X]=0",
        "[SIZE_Y]=0",
        "[SIZE]=0",
        "[NUM_X]=1",
        "[NUM_Y]=1",
        "[INTERVAL_X]=0",
        "[INTERVAL_Y]=0",
        "[X_OFFSET]=0",
        "[Y_OFFSET]=0",
        "[PAPERSIZE]=-1",
        "[PAPERLAND]=0",
        "[TITLE_X]=10",
        "[TITLE_Y]=10",
        "[TITLE_FONT_NAME]=ＭＳ 明朝",
        "[TITLE_FONT_BOLD]=太字",
        "[TITLE_FONT_SIZE]=20",
        "[TITLE_FONT_COLOE]=-16777201",
        "[G_TITLE_X]=0",
        "[G_TITLE_Y]=0",
        "[G_TITLE_COLOR]=10652814",
        "[TITLE_INTERVAL]=0",
        "[TITLE_PORTLATE]=0",
        "[SUB_Y]=3",
        "[TITLE_PRINT]=0",
        "[TITLE_CENTER]=0",
        "[BARCODE_X]=10",
        "[BARCODE_Y]=10",
        "[BARCODE_FONT_NAME]=ＭＳ 明朝",
        "[BARCODE_FONT_BOLD]=太字",
        "[BARCODE_FONT_SIZE]=20",
        "[BARCODE_FONT_COLOR]=-16777201",
        "[G_BARCODE_X]=0",
        "[G_BARCODE_Y]=0",
        "[G_BARCODE_COLOR]=10652814",
        "[BARCODE_INTERVAL]=0",
        "[BARCODE_PORTLATE]=0",
        "[BARCODE_PRINT]=0",
        "[BARCODE_CENTER]=0",
        "[BARCODE_TYPE]=-1",
        "[START_CHAR]=",
        "[STOP_CHAR]=",
        "[CHECK_DT]=0",
    };
    EXPECT_EQ(styleFileLines(LabelStyle{}), expected);
}

TEST(StyleWriter, NumbersAreWrittenAsTheNumericFieldShowsThem)
{
    LabelStyle s;
    s.X_LOCATE = 12.5L;
    s.Y_LOCATE = -0.25L;
    s.SIZE_X = 1e20L; // never an exponent
    s.NUM_X = 3;
    s.TITLE_PRINT = true;
    s.PAPERLAND = 1;
    s.BARCODE_TYPE = -1;
    s.G_BARCODE_COLOR = 0xFF000005; // a system colour, negative as a 32-bit value
    const QStringList lines = styleFileLines(s);
    EXPECT_EQ(lines[2], QStringLiteral("[X_LOCATE]=12.5"));
    EXPECT_EQ(lines[3], QStringLiteral("[Y_LOCATE]=-0.25"));
    EXPECT_EQ(lines[4], QStringLiteral("[SIZE_X]=100000000000000000000"));
    EXPECT_EQ(lines[7], QStringLiteral("[NUM_X]=3"));
    EXPECT_EQ(lines[27], QStringLiteral("[TITLE_PRINT]=1"));
    EXPECT_EQ(lines[14], QStringLiteral("[PAPERLAND]=1"));
    EXPECT_EQ(lines[37], QStringLiteral("[G_BARCODE_COLOR]=-16777211"));
}

TEST(StyleWriter, FileIsCodePage932WithCrLfAndNoByteOrderMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kbz");
    LabelStyle s;
    s.START_CHAR = QStringLiteral("€"); // not in the code page
    WriteStyleFile(path, s);
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("[Version]=1.00\r\n[DISP_KEY]=3\r\n[X_LOCATE]=0\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[TITLE_FONT_NAME]=\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[START_CHAR]=?\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n[CHECK_DT]=0\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 46);
    EXPECT_EQ(bytes.count('\n'), 46);
}

TEST(StyleWriter, ALineBreakInATextCannotSplitItsLine)
{
    LabelStyle s;
    s.TITLE_FONT_NAME = QStringLiteral("a\r\nb");
    const QStringList lines = styleFileLines(s);
    EXPECT_EQ(lines.size(), 46);
    EXPECT_FALSE(lines[17].contains(u'\n'));
}

// --- round trips ---

TEST(StyleRoundTrip, EveryFieldComesBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("every.kbz");
    const LabelStyle saved = everyFieldChanged();
    WriteStyleFile(path, saved);
    LabelStyle loaded;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path), loaded, extras, path);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(extras, StyleFileExtras{});

    // Written again, the file is the same to the byte.
    const QString again = dir.filePath("again.kbz");
    WriteStyleFile(again, loaded);
    EXPECT_EQ(fileBytes(again), fileBytes(path));
}

TEST(StyleRoundTrip, TextsOutsideTheCodePageComeBackAsQuestionMarks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("q.kbz");
    LabelStyle s;
    s.TITLE_FONT_NAME = QStringLiteral("Font€\U0001F600");
    WriteStyleFile(path, s);
    LabelStyle loaded;
    EXPECT_EQ(apply(readStyleFile(path), loaded), QString());
    EXPECT_EQ(loaded.TITLE_FONT_NAME, QStringLiteral("Font??"));
}

TEST(StyleRoundTrip, SampleFileWithWindowKeysLoads)
{
    LabelStyle s;
    StyleFileExtras extras;
    const QStringList lines = readStyleFile(sampleFile("sample_style.kbz"));
    ASSERT_EQ(lines.size(), 51);
    EXPECT_EQ(apply(lines, s, extras), QString());
    EXPECT_EQ(s.DISP_KEY, 7);
    EXPECT_EQ(s.INTERVAL_Y, 33.9L);
    EXPECT_EQ(s.X_OFFSET, -1.2L);
    EXPECT_EQ(s.TITLE_FONT_NAME, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(s.TITLE_FONT_BOLD, QStringLiteral("太字斜体"));
    EXPECT_EQ(s.TITLE_FONT_COLOE, 255u);
    EXPECT_TRUE(s.TITLE_CENTER);
    EXPECT_TRUE(s.BARCODE_PRINT);
    EXPECT_TRUE(s.BARCODE_FONT_BOLD.isEmpty());
    EXPECT_EQ(s.BARCODE_TYPE, 0);
    EXPECT_EQ(extras.windowWidth, 1024);
    EXPECT_EQ(extras.windowHeight, 768);
    EXPECT_EQ(extras.windowTop, 10);
    EXPECT_EQ(extras.windowLeft, 20);
    EXPECT_EQ(extras.imageFile,
              QStringLiteral("C:\\ProgramData\\tesselink\\korbenaXe10\\barimage\\barcode_000.bmp"));
}

// --- the reader: keys and values ---

TEST(StyleReader, OnlyTheKeysPresentChange)
{
    LabelStyle s = everyFieldChanged();
    const LabelStyle before = s;
    EXPECT_EQ(apply({"[Version]=9.99", "[NUM_X]=4", "[START_CHAR]=A"}, s), QString());
    LabelStyle expected = before;
    expected.NUM_X = 4;
    expected.START_CHAR = QStringLiteral("A");
    EXPECT_EQ(s, expected);
}

TEST(StyleReader, KeysAreExactAndTheValueIsEverythingAfterTheFirstEquals)
{
    LabelStyle s;
    EXPECT_EQ(
        apply({"[title_font_name]=x", " [TITLE_FONT_NAME]=y", "[TITLE_FONT_NAME] =z", "TITLE_FONT_SIZE=8",
               "no equals sign", "=[NUM_X]", "[BARCODE_FONT_NAME]=a=b=", "[TITLE_FONT_BOLD]= 斜体 "},
              s),
        QString());
    EXPECT_EQ(s.TITLE_FONT_NAME, LabelStyle{}.TITLE_FONT_NAME);
    EXPECT_EQ(s.TITLE_FONT_SIZE, LabelStyle{}.TITLE_FONT_SIZE);
    EXPECT_EQ(s.BARCODE_FONT_NAME, QStringLiteral("a=b="));
    EXPECT_EQ(s.TITLE_FONT_BOLD, QStringLiteral(" 斜体 ")); // verbatim, blanks included
}

TEST(StyleReader, LaterLinesWin)
{
    LabelStyle s;
    EXPECT_EQ(apply({"[SUB_Y]=1", "[BARCODE_TYPE]=3", "[SUB_Y]=2.5", "[BARCODE_TYPE]=4"}, s), QString());
    EXPECT_EQ(s.SUB_Y, 2.5L);
    EXPECT_EQ(s.BARCODE_TYPE, 4);
}

TEST(StyleReader, LengthsAreFixedPointWithFourDecimalsHalvesToEven)
{
    LabelStyle s;
    EXPECT_EQ(apply({"[X_LOCATE]=12.34567", "[Y_LOCATE]=0.00005", "[SIZE_X]=0.00015", "[SIZE_Y]=-1.23455",
                     "[NUM_X]=2.99999", "[TITLE_X]=1e1", "[TITLE_Y]= 7 "},
                    s),
              QString());
    EXPECT_EQ(s.X_LOCATE, 12.3457L);
    EXPECT_EQ(s.Y_LOCATE, 0.0L);
    EXPECT_EQ(s.SIZE_X, 0.0002L);
    EXPECT_EQ(s.SIZE_Y, -1.2346L);
    EXPECT_EQ(s.NUM_X, 3.0L);
    EXPECT_EQ(s.TITLE_X, 10.0L);
    EXPECT_EQ(s.TITLE_Y, 7.0L);
    // Loaded lengths write back with at most four decimals.
    EXPECT_EQ(styleFileLines(s)[2], QStringLiteral("[X_LOCATE]=12.3457"));
}

TEST(StyleReader, FlagsTickOnlyForOne)
{
    LabelStyle s;
    EXPECT_EQ(apply({"[TITLE_PRINT]=1", "[TITLE_CENTER]=2", "[BARCODE_PRINT]=-1", "[BARCODE_CENTER]=+1"}, s),
              QString());
    EXPECT_TRUE(s.TITLE_PRINT);
    EXPECT_FALSE(s.TITLE_CENTER);
    EXPECT_FALSE(s.BARCODE_PRINT);
    EXPECT_TRUE(s.BARCODE_CENTER);
    EXPECT_EQ(apply({"[TITLE_PRINT]=0"}, s), QString());
    EXPECT_FALSE(s.TITLE_PRINT);
}

TEST(StyleReader, ColoursAreSigned32BitValues)
{
    LabelStyle s;
    EXPECT_EQ(
        apply({"[TITLE_FONT_COLOE]=-16777201", "[G_TITLE_COLOR]=16777215", "[BARCODE_FONT_COLOR]=-1"}, s),
        QString());
    EXPECT_EQ(s.TITLE_FONT_COLOE, kButtonFaceColor);
    EXPECT_EQ(s.G_TITLE_COLOR, 0xFFFFFFu);
    EXPECT_EQ(s.BARCODE_FONT_COLOR, 0xFFFFFFFFu);
}

TEST(StyleReader, IndexesOutsideTheirChoicesAreTakenAsTheControlsWould)
{
    LabelStyle s;
    // A list shows no choice; a radio group takes its last button beyond the last
    // and none below -1.
    EXPECT_EQ(
        apply({"[BARCODE_TYPE]=12", "[SIZE]=5", "[CHECK_DT]=-7", "[PAPERLAND]=-1", "[TITLE_PORTLATE]=1"}, s),
        QString());
    EXPECT_EQ(s.BARCODE_TYPE, -1);
    EXPECT_EQ(s.SIZE, 1);
    EXPECT_EQ(s.CHECK_DT, -1);
    EXPECT_EQ(s.PAPERLAND, -1);
    EXPECT_EQ(s.TITLE_PORTLATE, 1);
    EXPECT_EQ(apply({"[BARCODE_TYPE]=11", "[PAPERSIZE]=118"}, s), QString());
    EXPECT_EQ(s.BARCODE_TYPE, 11);
    EXPECT_EQ(s.PAPERSIZE, 118);
}

TEST(StyleReader, WindowKeysAndImageFileGoToTheCaller)
{
    LabelStyle s;
    StyleFileExtras extras;
    EXPECT_EQ(apply({"[WINDOW_LEFT]=-8", "[IMAGEFILE]=x=y.bmp", "[WINDOW_WIDTH]=800"}, s, extras), QString());
    EXPECT_EQ(s, LabelStyle{});
    EXPECT_EQ(extras.windowLeft, -8);
    EXPECT_EQ(extras.windowWidth, 800);
    EXPECT_FALSE(extras.windowTop.has_value());
    EXPECT_EQ(extras.imageFile, QStringLiteral("x=y.bmp"));
}

// --- the reader: errors ---

TEST(StyleReaderErrors, BadNumbersStopTheLoadWithTheConversionMessage)
{
    struct Case
    {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"[X_LOCATE]=", "'' は浮動小数点数ではありません"},
        {"[SUB_Y]=12mm", "'12mm' は浮動小数点数ではありません"},
        {"[NUM_X]=1,5", "'1,5' は浮動小数点数ではありません"},
        {"[INTERVAL_X]=99999999999999999", "'99999999999999999' は浮動小数点数ではありません"},
        {"[SIZE]=", "'' は整数ではありません"},
        {"[PAPERSIZE]=4294967296", "'4294967296' は整数ではありません"},
        {"[BARCODE_TYPE]=1.0", "'1.0' は整数ではありません"},
        {"[TITLE_PRINT]=yes", "'yes' は整数ではありません"},
        {"[G_TITLE_COLOR]=$FF", "'$FF' は整数ではありません"},
        {"[DISP_KEY]=3 ", "'3 ' は整数ではありません"},
        {"[WINDOW_TOP]=abc", "'abc' は整数ではありません"},
    };
    for (const Case& c : cases) {
        LabelStyle s;
        EXPECT_EQ(apply({QString::fromUtf8(c.line)}, s), QString::fromUtf8(c.message)) << c.line;
    }
}

TEST(StyleReaderErrors, LinesBeforeTheBadOneStayAppliedAndLaterOnesDoNot)
{
    LabelStyle s;
    StyleFileExtras extras;
    try {
        applyStyleLines({"[NUM_X]=4", "[WINDOW_WIDTH]=640", "[TITLE_FONT_NAME]=A", "[SUB_Y]=abc", "[NUM_Y]=9",
                         "[IMAGEFILE]=x"},
                        s, extras, QStringLiteral("/styles/bad.kbz"));
        FAIL() << "a bad length loaded";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.line(), 4);
        EXPECT_EQ(error.fileName(), QStringLiteral("/styles/bad.kbz"));
        EXPECT_TRUE(error.detail().contains(QStringLiteral("bad.kbz")));
        EXPECT_TRUE(error.detail().contains(u'4'));
    }
    EXPECT_EQ(s.NUM_X, 4.0L);
    EXPECT_EQ(s.TITLE_FONT_NAME, QStringLiteral("A"));
    EXPECT_EQ(s.SUB_Y, 3.0L);
    EXPECT_EQ(s.NUM_Y, 1.0L);
    EXPECT_EQ(extras.windowWidth, 640);
    EXPECT_FALSE(extras.imageFile.has_value());
}

TEST(StyleReaderErrors, MissingFileIsAFileError)
{
    QTemporaryDir dir;
    EXPECT_THROW(readStyleFile(dir.filePath("none.kbz")), FileError);
}

TEST(StyleReaderErrors, TenMegabytesOnOneLineLoadsOrFailsCleanly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.kbz");
    QByteArray huge = "[STOP_CHAR]=" + QByteArray(10 * 1024 * 1024, 'x');
    ASSERT_TRUE(writeBytes(path, huge));
    LabelStyle s;
    EXPECT_EQ(apply(readStyleFile(path), s), QString());
    EXPECT_EQ(s.STOP_CHAR.size(), 10 * 1024 * 1024);

    ASSERT_TRUE(writeBytes(path, "[SIZE_X]=" + QByteArray(10 * 1024 * 1024, '7')));
    const QString message = apply(readStyleFile(path), s);
    // The message names the value, but not ten megabytes of it.
    EXPECT_TRUE(message.startsWith(QStringLiteral("'777")));
    EXPECT_TRUE(message.endsWith(QStringLiteral("' は浮動小数点数ではありません")));
    EXPECT_LT(message.size(), 1000);
}

TEST(StyleReaderErrors, BytesOutsideTheCodePageNeverStopALoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.kbz");
    // A UTF-8 file, a truncated double-byte character at the end, stray bytes.
    ASSERT_TRUE(writeBytes(path, QStringLiteral("[TITLE_FONT_NAME]=明朝\r\n").toUtf8() +
                                     "[NUM_X]=2\r\n[STOP_CHAR]=\xff\r\n[START_CHAR]=A\x82"));
    LabelStyle s;
    EXPECT_EQ(apply(readStyleFile(path), s), QString());
    EXPECT_NE(s.TITLE_FONT_NAME, QStringLiteral("明朝"));
    EXPECT_EQ(s.NUM_X, 2.0L);
    EXPECT_EQ(s.STOP_CHAR, QStringLiteral("\uFFFD"));
    EXPECT_EQ(s.START_CHAR, QStringLiteral("A\uFFFD"));
}

} // namespace
} // namespace korbena
