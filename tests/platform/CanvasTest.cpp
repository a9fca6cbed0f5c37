#include "platform/Canvas.h"

#include "TestSupport.h"
#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Fonts.h"

#include <QFile>
#include <QFileDevice>
#include <QFontInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::pixelAt;

QImage blank(int w, int h, TColor color = clWhite)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(toQColor(color));
    return image;
}

// --- colours ---

TEST(Color, ValuesAreBlueGreenRed)
{
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(fromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(Color, SystemColourIsResolvedNotTakenAsRgb)
{
    // -16777201 is the button-face system colour as the style file stores it.
    const auto buttonFace = static_cast<TColor>(-16777201);
    const QColor c = toQColor(buttonFace);
    EXPECT_EQ(c.alpha(), 255);
    EXPECT_NE(c, QColor(0xFF, 0x00, 0x0F));                  // not the low three bytes read as a colour
    EXPECT_EQ(toQColor(0xFF0000FFu), toQColor(0xFF0000FFu)); // out-of-table index is stable
}

// --- fills and outlines ---

TEST(CanvasFill, RightAndBottomEdgesAreExclusive)
{
    QImage image = blank(10, 10);
    {
        Canvas canvas(&image);
        canvas.SetBrushColor(clBlack);
        canvas.FillRect({2, 3, 5, 7});
    }
    EXPECT_EQ(pixelAt(image, 2, 3), clBlack);
    EXPECT_EQ(pixelAt(image, 4, 6), clBlack);
    EXPECT_EQ(pixelAt(image, 5, 6), clWhite);
    EXPECT_EQ(pixelAt(image, 4, 7), clWhite);
    EXPECT_EQ(pixelAt(image, 1, 3), clWhite);
    EXPECT_EQ(pixelAt(image, 2, 2), clWhite);
}

TEST(CanvasFill, EmptyOrInvertedRectanglePaintsNothing)
{
    QImage image = blank(6, 6);
    {
        Canvas canvas(&image);
        canvas.SetBrushColor(clBlack);
        canvas.FillRect({3, 3, 3, 5});
        canvas.FillRect({4, 4, 2, 2});
    }
    EXPECT_EQ(image, blank(6, 6));
}

TEST(CanvasFill, OutlineIsOnePixelInsideTheRectangle)
{
    QImage image = blank(8, 8);
    {
        Canvas canvas(&image);
        canvas.SetBrushColor(clBlack);
        canvas.FrameRect({1, 1, 6, 5});
    }
    EXPECT_EQ(test::rowBits(image, 1, 0, 8), QStringLiteral("01111100"));
    EXPECT_EQ(test::rowBits(image, 2, 0, 8), QStringLiteral("01000100"));
    EXPECT_EQ(test::rowBits(image, 4, 0, 8), QStringLiteral("01111100"));
    EXPECT_EQ(test::rowBits(image, 5, 0, 8), QStringLiteral("00000000"));
}

// --- text ---

TEST(CanvasText, OnlyGlyphsArePainted)
{
    const TColor red = rgbColor(255, 0, 0);
    QImage image = blank(200, 40, red);
    FontSpec font;
    font.height = -20;
    font.color = clBlack;
    int width = 0;
    int height = 0;
    {
        Canvas canvas(&image);
        canvas.SetFont(font);
        width = canvas.TextWidth(QStringLiteral("I I"));
        height = canvas.TextHeight(QStringLiteral("I I"));
        canvas.TextOut(5, 5, QStringLiteral("I I"));
    }
    ASSERT_GT(width, 0);
    ASSERT_GE(height, 20);
    // The space between the two strokes keeps the red background: no opaque text cell.
    int red_inside = 0;
    int dark_inside = 0;
    for (int y = 5; y < 5 + height; ++y) {
        for (int x = 5; x < 5 + width; ++x) {
            const QColor c = image.pixelColor(x, y);
            red_inside += c == QColor(255, 0, 0);
            dark_inside += c.red() < 80 && c.green() < 80;
        }
    }
    EXPECT_GT(red_inside, width * height / 2);
    EXPECT_GT(dark_inside, 0);
}

TEST(CanvasText, GlyphsMetresHighAreDrawnWithoutCachingThem)
{
    // 32767 pixels: a label text of the largest size at a printer's resolution.
    // Cached as a glyph picture it took gigabytes; as an outline it is cheap, and
    // still lands on the surface.
    QImage image = blank(300, 300);
    {
        Canvas canvas(&image);
        for (const int height : {-600, -32767}) {
            FontSpec font;
            font.height = height;
            font.color = clBlack;
            canvas.SetFont(font);
            canvas.TextOut(-100, -100, QStringLiteral("■"));
        }
    }
    EXPECT_EQ(pixelAt(image, 150, 150), clBlack);
}

TEST(CanvasText, MeasuresMatchTheFontFunctions)
{
    FontSpec font;
    font.height = -16;
    QImage image = blank(10, 10);
    Canvas canvas(&image);
    canvas.SetFont(font);
    const QString text = QStringLiteral("4946122000923");
    EXPECT_EQ(canvas.TextWidth(text), textWidth(font, text));
    EXPECT_EQ(canvas.TextHeight(text), textHeight(font, text));
    EXPECT_EQ(textWidth(font, QString()), 0);
    EXPECT_EQ(textHeight(font, QString()), 0);
}

TEST(Fonts, WindowsJapaneseFacesMapToMetricCompatibleIpaFaces)
{
    const struct
    {
        const char16_t* face;
        const char* family;
    } cases[] = {
        {u"ＭＳ 明朝", "IPAMincho"},
        {u"ＭＳ Ｐ明朝", "IPAPMincho"},
        {u"ＭＳ ゴシック", "IPAGothic"},
        {u"ＭＳ Ｐゴシック", "IPAPGothic"},
    };
    for (const auto& c : cases) {
        FontSpec spec;
        spec.face = QString::fromUtf16(c.face);
        const QFontInfo info(toQFont(spec));
        EXPECT_EQ(info.family(), QLatin1String(c.family)) << spec.face.toStdString();
    }
}

TEST(Fonts, FixedPitchFaceGivesEveryDigitTheSameWidth)
{
    // ＭＳ ゴシック is fixed pitch: the number text keeps its width whatever the digits.
    FontSpec spec;
    spec.face = QStringLiteral("ＭＳ ゴシック");
    spec.height = -24;
    EXPECT_EQ(textWidth(spec, QStringLiteral("1111111111")), textWidth(spec, QStringLiteral("8888888888")));
    EXPECT_EQ(textWidth(spec, QStringLiteral("あ")), 2 * textWidth(spec, QStringLiteral("1")));
}

TEST(Fonts, PointSizeFollowsTheResolution)
{
    FontSpec spec;
    spec.setPointSize(12, 96);
    EXPECT_EQ(spec.height, -16);
    EXPECT_EQ(spec.pointSize(96), 12);
    spec.setPointSize(12, 600);
    EXPECT_EQ(spec.height, -100);
}

// --- stretching ---

TEST(CanvasStretch, DestinationPixelsAreReplacedWithoutSmoothing)
{
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(0, 0, 0));
    source.setPixel(1, 0, qRgb(255, 255, 255));
    QImage target = blank(8, 4, rgbColor(255, 0, 0));
    {
        Canvas canvas(&target);
        canvas.StretchDraw({2, 1, 6, 3}, source);
    }
    EXPECT_EQ(test::rowBits(target, 1, 2, 6), QStringLiteral("1100"));
    EXPECT_EQ(test::rowBits(target, 2, 2, 6), QStringLiteral("1100"));
    EXPECT_EQ(pixelAt(target, 4, 1), clWhite); // white replaces red, not blended
    EXPECT_EQ(pixelAt(target, 6, 1), rgbColor(255, 0, 0));
    EXPECT_EQ(pixelAt(target, 2, 3), rgbColor(255, 0, 0));
}

// --- bitmaps ---

TEST(Bitmap, ResizeKeepsTheOverlapAndStartsEmpty)
{
    Bitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(4, 3);
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.pixelFormat(), PixelFormat::pf32bit);
    bitmap.image().setPixel(1, 1, qRgb(0, 0, 0));
    bitmap.SetSize(6, 2);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(pixelAt(bitmap.image(), 1, 1), clBlack);
    bitmap.SetWidth(0);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(-5, 3); // a negative size is no size
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, BmpRoundTripKeepsSizeAndPixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Bitmap bitmap(300, 105);
    bitmap.image().fill(Qt::white);
    for (int x = 0; x < 300; x += 3)
        bitmap.image().setPixel(x, 50, qRgb(0, 0, 0));
    const QString path = dir.filePath(QStringLiteral("barcode_001.bmp"));
    QString error;
    ASSERT_TRUE(bitmap.SaveToFile(path, &error)) << error.toStdString();

    Bitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path, &error));
    EXPECT_EQ(loaded.Width(), 300);
    EXPECT_EQ(loaded.Height(), 105);
    for (int x = 0; x < 300; ++x)
        ASSERT_EQ(pixelAt(loaded.image(), x, 50), x % 3 == 0 ? clBlack : clWhite) << x;
}

TEST(Bitmap, FailedSaveKeepsThePreviousFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("keep.bmp"));
    Bitmap first(5, 5);
    ASSERT_TRUE(first.SaveToFile(path));
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    // The folder becomes read-only: no temporary file can be made beside the target.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    Bitmap second(50, 50);
    QString error;
    const bool saved = second.SaveToFile(path, &error);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (saved)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_FALSE(error.isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(Bitmap, LoadingSomethingElseFailsAndKeepsThePicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("not.bmp"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM this is not a bitmap");
    f.close();
    Bitmap bitmap(7, 3);
    QString error;
    EXPECT_FALSE(bitmap.LoadFromFile(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_FALSE(bitmap.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))));
}

} // namespace
} // namespace korbena
