#include "DocumentTestSupport.h"
#include "TestSupport.h"
#include "document/LabelStyle.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::fileBytes;
using test::sampleFile;

LabelStyle loaded(const QString& path)
{
    LabelStyle style;
    StyleFileExtras extras;
    applyStyleLines(readStyleFile(path), style, extras, path);
    return style;
}

// A style of each new symbology saves its options after the 44 keys and loads back
// to the same values; saved again it is the same file to the byte.
TEST(MatrixStyleKeys, EachNewSymbologyRoundTrips)
{
    QTemporaryDir dir;
    for (int type = 12; type <= 15; ++type) {
        LabelStyle style;
        style.symbol.symbology = static_cast<TBarTypes>(type);
        style.symbol.qrErrorCorrection = type == 12 ? 3 : 0;
        style.symbol.dataMatrixShape = type == 13 ? 1 : 0;
        style.symbol.moduleSize = 0.3385L;
        style.symbol.gs1 = type != 14;
        const QStringList lines = styleFileLines(style);
        ASSERT_EQ(lines.size(), 50);
        EXPECT_EQ(lines.mid(46),
                  (QStringList{QStringLiteral("[QR_ECC]=%1").arg(style.symbol.qrErrorCorrection),
                               QStringLiteral("[DM_SHAPE]=%1").arg(style.symbol.dataMatrixShape),
                               QStringLiteral("[MODULE_SIZE]=0.3385"),
                               QStringLiteral("[GS1_MODE]=%1").arg(style.symbol.gs1 ? 1 : 0)}));
        const QString path = dir.filePath(QStringLiteral("type%1.kbz").arg(type));
        WriteStyleFile(path, style);
        const LabelStyle back = loaded(path);
        EXPECT_EQ(back, style) << type;
        const QString again = dir.filePath(QStringLiteral("again%1.kbz").arg(type));
        WriteStyleFile(again, back);
        EXPECT_EQ(fileBytes(again), fileBytes(path)) << type;
    }
}

// A style of the twelve writes the 46 lines it always did, whatever the matrix
// options hold; every shipped and sample style saves byte-identical.
TEST(MatrixStyleKeys, StylesOfTheTwelveStayByteIdentical)
{
    LabelStyle jan;
    jan.symbol.symbology = cbarJAN;
    jan.symbol.qrErrorCorrection = 3;
    jan.symbol.gs1 = true;
    EXPECT_EQ(styleFileLines(jan).size(), 46);

    // The test sample sets every field (window keys among them): its save has the 46 lines.
    EXPECT_EQ(styleFileLines(loaded(sampleFile("sample_style.kbz"))).size(), 46);
    QStringList samples{QStringLiteral(KORBENA_SOURCE_DIR "/resources/conf/KORBENA.dat")};
    const QDir shipped(QStringLiteral(KORBENA_SOURCE_DIR "/resources/style"));
    for (const QString& name : shipped.entryList({QStringLiteral("*.kbz")}, QDir::Files))
        samples << shipped.filePath(name);
    ASSERT_EQ(samples.size(), 6);
    QTemporaryDir dir;
    for (const QString& sample : samples) {
        const QString path = dir.filePath(QStringLiteral("saved.kbz"));
        WriteStyleFile(path, loaded(sample));
        EXPECT_EQ(fileBytes(path), fileBytes(sample)) << qPrintable(sample);
    }
}

// The options load from any style, and an option of a twelve-symbology style loaded
// and switched to QR is kept for it.
TEST(MatrixStyleKeys, OptionsLoadInAnyOrderAndOutOfRangeValuesAreHeld)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("partial.kbz"));
    test::writeBytes(path, "[GS1_MODE]=1\r\n[QR_ECC]=9\r\n[DM_SHAPE]=5\r\n[MODULE_SIZE]=0.5\r\n");
    const LabelStyle style = loaded(path);
    EXPECT_TRUE(style.symbol.gs1);
    EXPECT_EQ(style.symbol.qrErrorCorrection, -1); // a list shows no choice for an index beyond it
    EXPECT_EQ(style.symbol.dataMatrixShape, 1);    // a radio group takes its last button
    EXPECT_EQ(style.symbol.moduleSize, 0.5L);
}

} // namespace
} // namespace korbena
