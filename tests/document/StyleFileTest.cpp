#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "document/LabelStyle.h"
#include "document/ValueText.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::fileBytes;
using test::sampleFile;
using test::writeBytes;

// Applies lines as a load does; returns the error's message, or "" when they load.
QString apply(const QStringList& lines, LabelStyle& style, StyleFileExtras* extras = nullptr)
{
    StyleFileExtras ignored;
    try {
        applyStyleLines(lines, style, extras ? *extras : ignored, QStringLiteral("test.kbz"));
    } catch (const ConversionError& error) {
        return error.message();
    }
    return {};
}

// Every key of the file with the initial value of its field, in the file's order.
const char* const kInitialStyleFile = R"([Version]=1.00
[DISP_KEY]=3
[X_LOCATE]=0
[Y_LOCATE]=0
[SIZE_X]=0
[SIZE_Y]=0
[SIZE]=0
[NUM_X]=1
[NUM_Y]=1
[INTERVAL_X]=0
[INTERVAL_Y]=0
[X_OFFSET]=0
[Y_OFFSET]=0
[PAPERSIZE]=-1
[PAPERLAND]=0
[TITLE_X]=10
[TITLE_Y]=10
[TITLE_FONT_NAME]=ＭＳ 明朝
[TITLE_FONT_BOLD]=太字
[TITLE_FONT_SIZE]=20
[TITLE_FONT_COLOE]=-16777201
[G_TITLE_X]=0
[G_TITLE_Y]=0
[G_TITLE_COLOR]=10652814
[TITLE_INTERVAL]=0
[TITLE_PORTLATE]=0
[SUB_Y]=3
[TITLE_PRINT]=0
[TITLE_CENTER]=0
[BARCODE_X]=10
[BARCODE_Y]=10
[BARCODE_FONT_NAME]=ＭＳ 明朝
[BARCODE_FONT_BOLD]=太字
[BARCODE_FONT_SIZE]=20
[BARCODE_FONT_COLOR]=-16777201
[G_BARCODE_X]=0
[G_BARCODE_Y]=0
[G_BARCODE_COLOR]=10652814
[BARCODE_INTERVAL]=0
[BARCODE_PORTLATE]=0
[BARCODE_PRINT]=0
[BARCODE_CENTER]=0
[BARCODE_TYPE]=-1
[START_CHAR]=
[STOP_CHAR]=
[CHECK_DT]=0)";

// --- the writer ---

TEST(StyleWriter, InitialStyleGivesTheFortySixLinesInOrder)
{
    EXPECT_EQ(styleFileLines(LabelStyle{}), QString::fromUtf8(kInitialStyleFile).split(u'\n'));
}

TEST(StyleWriter, ValueForms)
{
    LabelStyle s;
    s.placement.x = 12.5L;
    s.placement.y = -0.25L;
    s.placement.width = 1e20L; // never an exponent
    s.title.printed = false;
    s.number.shadowColor = 0xFF000005;           // a system colour: negative
    s.title.fontName = QStringLiteral("a\r\nb"); // cannot split its line
    const QStringList lines = styleFileLines(s);
    EXPECT_EQ(lines[2], QStringLiteral("[X_LOCATE]=12.5"));
    EXPECT_EQ(lines[3], QStringLiteral("[Y_LOCATE]=-0.25"));
    EXPECT_EQ(lines[4], QStringLiteral("[SIZE_X]=100000000000000000000"));
    EXPECT_EQ(lines[27], QStringLiteral("[TITLE_PRINT]=1"));
    EXPECT_EQ(lines[37], QStringLiteral("[G_BARCODE_COLOR]=-16777211"));
    EXPECT_EQ(lines[17], QStringLiteral("[TITLE_FONT_NAME]=a  b"));
}

TEST(StyleWriter, FileIsCodePage932WithCrLfAndNoByteOrderMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kbz");
    LabelStyle s;
    s.symbol.startChar = QStringLiteral("€\U0001F600"); // not in the code page
    WriteStyleFile(path, s);
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("[Version]=1.00\r\n[DISP_KEY]=3\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[TITLE_FONT_NAME]=\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[START_CHAR]=??\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n[CHECK_DT]=0\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 46);
    EXPECT_EQ(bytes.count('\n'), 46);
}

// --- round trips ---

TEST(StyleRoundTrip, EveryFieldComesBackAndTheFileIsWrittenAgainToTheByte)
{
    LabelStyle sample;
    StyleFileExtras extras;
    ASSERT_EQ(apply(readStyleFile(sampleFile("sample_style.kbz")), sample, &extras), QString());
    // The sample changes every field: each line but the version differs.
    const QStringList initial = styleFileLines(LabelStyle{});
    const QStringList changed = styleFileLines(sample);
    for (int i = 1; i < 46; ++i)
        EXPECT_NE(changed[i], initial[i]);
    EXPECT_EQ(changed[31], QStringLiteral("[BARCODE_FONT_NAME]=IPA=ゴシック"));

    QTemporaryDir dir;
    const QString path = dir.filePath("every.kbz");
    WriteStyleFile(path, sample);
    LabelStyle loaded;
    ASSERT_EQ(apply(readStyleFile(path), loaded), QString());
    EXPECT_EQ(loaded, sample);
    const QString again = dir.filePath("again.kbz");
    WriteStyleFile(again, loaded);
    EXPECT_EQ(fileBytes(again), fileBytes(path));
}

// The file's lines a load then a save give back: all but the keys only ever read.
QByteArray savedPart(const QByteArray& file)
{
    QByteArray kept;
    for (const QByteArray& line : file.split('\n')) {
        if (line.isEmpty() || line.startsWith("[WINDOW_") || line.startsWith("[IMAGEFILE]"))
            continue;
        kept += line + '\n';
    }
    return kept;
}

TEST(StyleRoundTrip, EveryShippedAndSampleStyleFileIsWrittenBackToTheByte)
{
    const QString resources = QStringLiteral(KORBENA_SOURCE_DIR "/resources");
    QStringList files{resources + QStringLiteral("/conf/KORBENA.dat"), sampleFile("sample_style.kbz")};
    for (const QString& name :
         QDir(resources + QStringLiteral("/style")).entryList({QStringLiteral("*.kbz")}))
        files << resources + QStringLiteral("/style/") + name;
    ASSERT_EQ(files.size(), 7);
    QTemporaryDir dir;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        LabelStyle style;
        ASSERT_EQ(apply(readStyleFile(file), style), QString());
        const QString copy = dir.filePath("copy.kbz");
        WriteStyleFile(copy, style);
        EXPECT_EQ(fileBytes(copy), savedPart(fileBytes(file)));
        if (!file.endsWith(QStringLiteral("sample_style.kbz"))) {
            EXPECT_EQ(fileBytes(copy), fileBytes(file)); // the shipped files hold nothing else
        }
    }
}

TEST(StyleRoundTrip, CodedAndInvertedValuesKeepTheirMeaningAndComeBackAsWritten)
{
    // Radio groups with neither button chosen, a list with no choice, ticked boxes.
    QString text = QString::fromUtf8(kInitialStyleFile);
    for (const auto& [from, to] : {std::pair{"[SIZE]=0", "[SIZE]=-1"},
                                   {"[PAPERLAND]=0", "[PAPERLAND]=-1"},
                                   {"[TITLE_PORTLATE]=0", "[TITLE_PORTLATE]=-1"},
                                   {"[BARCODE_PORTLATE]=0", "[BARCODE_PORTLATE]=1"},
                                   {"[TITLE_PRINT]=0", "[TITLE_PRINT]=1"},
                                   {"[CHECK_DT]=0", "[CHECK_DT]=-1"}})
        text.replace(QLatin1String(from), QLatin1String(to));
    QTemporaryDir dir;
    const QString path = dir.filePath("coded.kbz");
    writeTextLines(path, text.split(u'\n'));
    const QByteArray file = fileBytes(path);
    LabelStyle style;
    ASSERT_EQ(apply(readStyleFile(path), style), QString());
    EXPECT_EQ(style.placement.sizeMode, -1);
    EXPECT_EQ(style.sheet.orientation, -1);
    EXPECT_FALSE(style.title.vertical.has_value());
    EXPECT_EQ(writingKind(style.title), 1); // neither button draws vertically
    EXPECT_EQ(style.number.vertical, true);
    EXPECT_FALSE(style.title.printed);
    EXPECT_TRUE(style.number.printed);
    EXPECT_FALSE(style.symbol.checkDigit.has_value());
    EXPECT_FALSE(style.symbol.symbology.has_value());
    const QString copy = dir.filePath("copy.kbz");
    WriteStyleFile(copy, style);
    EXPECT_EQ(fileBytes(copy), file);

    // The other way round: each field by its meaning gives the file's code.
    style.symbol.checkDigit = true;
    style.symbol.symbology = cbarCODE93;
    style.title.printed = true;
    style.number.vertical = false;
    const QStringList lines = styleFileLines(style);
    EXPECT_TRUE(lines.contains(QStringLiteral("[CHECK_DT]=0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[BARCODE_TYPE]=11")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[TITLE_PRINT]=0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[BARCODE_PORTLATE]=0")));
    // Values a control could not show are written as the control then holds them.
    LabelStyle odd;
    ASSERT_EQ(apply({"[CHECK_DT]=7", "[TITLE_PRINT]=2", "[BARCODE_TYPE]=16", "[SIZE]=-5"}, odd), QString());
    EXPECT_EQ(odd.symbol.checkDigit, false);
    EXPECT_TRUE(odd.title.printed);
    const QStringList oddLines = styleFileLines(odd);
    for (const char* line : {"[CHECK_DT]=1", "[TITLE_PRINT]=0", "[BARCODE_TYPE]=-1", "[SIZE]=-1"})
        EXPECT_TRUE(oddLines.contains(QString::fromLatin1(line))) << line;
}

TEST(StyleRoundTrip, WindowKeysAndImageFileGoToTheCaller)
{
    LabelStyle s;
    StyleFileExtras extras;
    ASSERT_EQ(apply(readStyleFile(sampleFile("sample_style.kbz")), s, &extras), QString());
    EXPECT_EQ(extras.windowWidth, 1024);
    EXPECT_EQ(extras.windowHeight, 768);
    EXPECT_EQ(extras.windowTop, 10);
    EXPECT_EQ(extras.windowLeft, 20);
    EXPECT_EQ(extras.imageFile,
              QStringLiteral("C:\\ProgramData\\tesselink\\korbenaXe10\\barimage\\barcode_000.bmp"));
    EXPECT_EQ(s.title.fontName, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(s.sheet.pitchY, 33.9L);
}

// --- the reader ---

TEST(StyleReader, OnlyTheKeysPresentChangeAndLaterLinesWin)
{
    LabelStyle s;
    s.title.secondLineY = 9;
    ASSERT_EQ(
        apply({"[Version]=9.99", "[NUM_X]=4", "[BARCODE_TYPE]=3", "[NUM_X]=2.5", "[BARCODE_TYPE]=4"}, s),
        QString());
    LabelStyle expected;
    expected.title.secondLineY = 9;
    expected.sheet.across = 2.5L;
    expected.symbol.symbology = cbarITF;
    EXPECT_EQ(s, expected);
}

TEST(StyleReader, KeysAreExactAndTheValueIsEverythingAfterTheFirstEquals)
{
    LabelStyle s;
    ASSERT_EQ(
        apply({"[title_font_name]=x", " [TITLE_FONT_NAME]=y", "[TITLE_FONT_NAME] =z", "TITLE_FONT_SIZE=8",
               "no equals sign", "=[NUM_X]", "[BARCODE_FONT_NAME]=a=b=", "[TITLE_FONT_BOLD]= 斜体 "},
              s),
        QString());
    LabelStyle expected;
    expected.number.fontName = QStringLiteral("a=b=");
    expected.title.fontStyle = QStringLiteral(" 斜体 "); // verbatim, blanks included
    EXPECT_EQ(s, expected);
}

TEST(StyleReader, NumbersFlagsColoursAndChoices)
{
    LabelStyle s;
    ASSERT_EQ(apply({"[X_LOCATE]=12.34567", "[Y_LOCATE]=-1.23455", "[NUM_X]=2.99999", "[TITLE_X]=1e1",
                     "[TITLE_PRINT]=1", "[TITLE_CENTER]=2", "[BARCODE_PRINT]=-1", "[TITLE_FONT_COLOE]=-1",
                     "[G_TITLE_COLOR]=16777215", "[BARCODE_TYPE]=16", "[SIZE]=5", "[CHECK_DT]=-7",
                     "[PAPERSIZE]=118"},
                    s),
              QString());
    // Four decimals, halves to even.
    EXPECT_EQ(s.placement.x, 12.3457L);
    EXPECT_EQ(s.placement.y, -1.2346L);
    EXPECT_EQ(s.sheet.across, 3.0L);
    EXPECT_EQ(s.title.x, 10.0L);
    EXPECT_EQ(styleFileLines(s)[2], QStringLiteral("[X_LOCATE]=12.3457"));
    // Only 1 ticks a box.
    EXPECT_FALSE(s.title.printed);
    EXPECT_FALSE(s.title.centred);
    EXPECT_TRUE(s.number.printed);
    EXPECT_EQ(s.title.color, 0xFFFFFFFFu);
    EXPECT_EQ(s.title.shadowColor, 0xFFFFFFu);
    // A list beyond its items shows no choice; a radio group takes its last button
    // beyond the last and none below -1; the paper code is the printer's to check.
    EXPECT_FALSE(s.symbol.symbology.has_value());
    EXPECT_EQ(s.placement.sizeMode, 1);
    EXPECT_FALSE(s.symbol.checkDigit.has_value());
    EXPECT_EQ(s.sheet.paper, 118);
}

// --- the reader: errors ---

TEST(StyleReaderErrors, BadNumbersStopTheLoadWithTheConversionMessage)
{
    const std::pair<const char*, const char*> cases[] = {
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
    for (const auto& [line, message] : cases) {
        LabelStyle s;
        EXPECT_EQ(apply({QString::fromUtf8(line)}, s), QString::fromUtf8(message)) << line;
    }
}

TEST(StyleReaderErrors, LinesBeforeTheBadOneStayAppliedAndLaterOnesDoNot)
{
    LabelStyle s;
    StyleFileExtras extras;
    try {
        applyStyleLines({"[NUM_X]=4", "[WINDOW_WIDTH]=640", "[SUB_Y]=abc", "[NUM_Y]=9", "[IMAGEFILE]=x"}, s,
                        extras, QStringLiteral("/styles/bad.kbz"));
        FAIL() << "a bad length loaded";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.line(), 3);
        EXPECT_TRUE(error.detail().contains(QStringLiteral("bad.kbz")));
    }
    EXPECT_EQ(s.sheet.across, 4.0L);
    EXPECT_EQ(s.sheet.down, 1.0L);
    EXPECT_EQ(extras.windowWidth, 640);
    EXPECT_FALSE(extras.imageFile.has_value());
}

TEST(StyleReaderErrors, OddFilesNeverCrashTheReader)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.kbz");
    EXPECT_THROW(readStyleFile(path), FileError);

    // Ten megabytes on one line, as a text and as a length.
    ASSERT_TRUE(writeBytes(path, "[STOP_CHAR]=" + QByteArray(10 << 20, 'x')));
    LabelStyle s;
    EXPECT_EQ(apply(readStyleFile(path), s), QString());
    EXPECT_EQ(s.symbol.stopChar.size(), 10 << 20);
    ASSERT_TRUE(writeBytes(path, "[SIZE_X]=" + QByteArray(10 << 20, '7')));
    const QString message = apply(readStyleFile(path), s);
    EXPECT_TRUE(message.startsWith(QStringLiteral("'777")));
    EXPECT_LT(message.size(), 1000); // names the value, but not all of it

    // UTF-8 instead of code page 932, a stray byte, a truncated double-byte character.
    ASSERT_TRUE(writeBytes(path, QStringLiteral("[TITLE_FONT_NAME]=明朝\r\n").toUtf8() +
                                     "[NUM_X]=2\n[STOP_CHAR]=\xff\r[START_CHAR]=A\x82"));
    EXPECT_EQ(apply(readStyleFile(path), s), QString());
    EXPECT_NE(s.title.fontName, QStringLiteral("明朝"));
    EXPECT_EQ(s.sheet.across, 2.0L);
    EXPECT_EQ(s.symbol.stopChar, QStringLiteral("\uFFFD"));
    EXPECT_EQ(s.symbol.startChar, QStringLiteral("A\uFFFD"));
}

} // namespace
} // namespace korbena
