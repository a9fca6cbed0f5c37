// Turning, mirroring and framing the component's bitmap: the control follows the
// turned picture, the mirror comes after the turn, positions without Match are taken
// in the displayed picture, and the frame's thickness is bounded by its rectangle.
#include "TestSupport.h"
#include "symbol/BarImage.h"

#include <QTransform>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::pixelAt;
using test::rowBits;

const QString kJan = QStringLiteral("494612200092");
const TColor kGrey = rgbColor(128, 128, 128);
const TColor kRed = rgbColor(255, 0, 0);

// Scale 1, no text line, and a comment in the top-left corner so that every turn
// and mirror of the picture looks different.
void setUp(BarImage& bar, bool match)
{
    bar.SetBarEnabled(false);
    bar.SetSymbolDisp(false);
    bar.SetMatch(match);
    bar.SetCommentUp(QStringLiteral("AB"));
    bar.SetBarEnabled(true);
}

QImage turned(const QImage& image, int angle)
{
    return image.transformed(QTransform().rotate(angle));
}

QImage mirrored(const QImage& image)
{
    return image.mirrored(true, false);
}

const QImage& picture(const BarImage& bar)
{
    return bar.Picture().bitmap()->image();
}

// The upright, unmirrored picture of the same symbol.
QImage upright()
{
    BarImage bar;
    setUp(bar, true);
    bar.SetCode(kJan);
    return picture(bar);
}

// --- Match on: the whole picture turns ---

TEST(Orientation, QuarterTurnsTurnPictureAndControl)
{
    const QImage plain = upright();
    ASSERT_EQ(plain.size(), QSize(116, 105));
    for (const int angle : {90, 180, 270}) {
        BarImage bar;
        setUp(bar, true);
        bar.SetAngle(angle);
        bar.SetCode(kJan);
        const QImage expected = turned(plain, angle);
        EXPECT_EQ(picture(bar), expected) << angle;
        EXPECT_EQ(QSize(bar.Width(), bar.Height()), expected.size()) << angle;
        EXPECT_EQ(bar.Picture().bitmap()->Width(), expected.width()) << angle;
    }
}

TEST(Orientation, MirrorComesAfterTheTurn)
{
    const QImage plain = upright();
    {
        BarImage bar;
        setUp(bar, true);
        bar.SetReverse(true);
        bar.SetCode(kJan);
        EXPECT_EQ(picture(bar), mirrored(plain));
    }
    for (const int angle : {90, 270}) {
        BarImage bar;
        setUp(bar, true);
        bar.SetCode(kJan);
        bar.SetAngle(angle);
        bar.SetReverse(true);
        // Turning a mirrored picture would give the opposite turn of the mirror.
        ASSERT_NE(mirrored(turned(plain, angle)), turned(mirrored(plain), angle));
        EXPECT_EQ(picture(bar), mirrored(turned(plain, angle))) << angle;
        EXPECT_EQ(bar.Width(), 105) << angle;
        EXPECT_EQ(bar.Height(), 116) << angle;
    }
}

// --- Match off: positions in the displayed picture, the rest left in place ---

struct DisplayedPicture
{
    BarImage bar;

    // A grey 200 x 300 picture with one red marker pixel, shown turned by the angle.
    DisplayedPicture(int angle, bool reverse)
    {
        setUp(bar, false);
        bar.SetBarEnabled(false);
        bar.SetAngle(angle);
        bar.SetReverse(reverse);
        bar.SetBarLeft(5);
        bar.SetBarTop(7);
        bar.SetWidth(200);
        bar.SetHeight(300);
        Bitmap& bitmap = bar.Picture().Bitmap();
        bitmap.SetSize(200, 300);
        bitmap.image().fill(toQColor(kGrey));
        bitmap.image().setPixelColor(195, 295, toQColor(kRed));
        bar.SetCode(kJan);
        bar.SetBarEnabled(true);
    }
};

TEST(Orientation, WithoutMatchTheSymbolSitsAtTheDisplayedPosition)
{
    for (const int angle : {90, 180, 270}) {
        DisplayedPicture d(angle, false);
        const QImage& image = picture(d.bar);
        ASSERT_EQ(image.size(), QSize(200, 300)) << angle;
        EXPECT_EQ(d.bar.Width(), 200);
        EXPECT_EQ(d.bar.Height(), 300);
        EXPECT_EQ(d.bar.BarLeft(), 5);
        EXPECT_EQ(d.bar.BarTop(), 7);
        EXPECT_TRUE(d.bar.Visible());
        // The turned symbol has its top-left corner at (BarLeft, BarTop) as displayed.
        const QImage expected = turned(upright(), angle);
        EXPECT_EQ(image.copy(5, 7, expected.width(), expected.height()), expected) << angle;
        EXPECT_EQ(pixelAt(image, 4, 7), kGrey) << angle;
        EXPECT_EQ(pixelAt(image, 5, 6), kGrey) << angle;
        EXPECT_EQ(pixelAt(image, 5 + expected.width(), 7 + expected.height()), kGrey) << angle;
        EXPECT_EQ(pixelAt(image, 195, 295), kRed) << angle;
    }
}

TEST(Orientation, WithoutMatchMirroredTurnedPicturesStayInPlace)
{
    // The part of the picture the symbol does not cover keeps its place however
    // often the symbol is drawn again into it.
    for (const int angle : {0, 90, 180, 270}) {
        DisplayedPicture d(angle, true);
        d.bar.RepaintBarcode();
        d.bar.RepaintBarcode();
        const QImage& image = picture(d.bar);
        EXPECT_EQ(pixelAt(image, 195, 295), kRed) << angle;
        EXPECT_EQ(pixelAt(image, 4, 4), kGrey) << angle;
        EXPECT_EQ(pixelAt(image, 195, 4), kGrey) << angle;
        EXPECT_EQ(pixelAt(image, 4, 295), kGrey) << angle;
    }
}

// --- frame ---

// A JAN symbol whose frame rectangle is the whole outer area, 116 wide.
BarImage& framed(BarImage& bar, int barHeight, int frame)
{
    bar.SetBarEnabled(false);
    bar.SetSymbolDisp(false);
    bar.SetMatch(true);
    bar.SetBarHeight(barHeight);
    bar.SetBarFrame(frame);
    bar.SetCode(kJan);
    bar.SetBarEnabled(true);
    return bar;
}

TEST(Frame, ThicknessIsBoundedByHalfTheShorterSideLessOne)
{
    BarImage low;
    framed(low, 6, 5); // 116 x 6 allows 2
    EXPECT_EQ(low.BarFrame(), 2);
    const QImage& image = picture(low);
    EXPECT_EQ(rowBits(image, 0, 0, 116), QString(116, u'1'));
    EXPECT_EQ(rowBits(image, 1, 0, 116), QString(116, u'1'));
    EXPECT_EQ(rowBits(image, 4, 0, 116), QString(116, u'1'));
    EXPECT_EQ(rowBits(image, 5, 0, 116), QString(116, u'1'));
    // Between the bands: the side bands, the white quiet zones, the bars.
    EXPECT_EQ(rowBits(image, 2, 0, 11), QStringLiteral("11000000001"));
    EXPECT_EQ(rowBits(image, 3, 104, 116), QStringLiteral("100000000011"));

    BarImage tall;
    framed(tall, 105, 100); // 116 x 105: the height bounds it
    EXPECT_EQ(tall.BarFrame(), 51);
    BarImage taller;
    framed(taller, 300, 100); // 116 x 300: now the width does
    EXPECT_EQ(taller.BarFrame(), 57);
    BarImage thin;
    framed(thin, 105, 3); // room to spare: kept
    EXPECT_EQ(thin.BarFrame(), 3);
}

TEST(Frame, RectangleThreeHighAllowsNoFrame)
{
    BarImage bar;
    const int commentHeight = textHeight(bar.BarFont(), QStringLiteral("C"));
    ASSERT_GT(commentHeight, 3);
    bar.SetBarEnabled(false);
    bar.SetCommentUp(QStringLiteral("C"));
    bar.SetBarSpaceUp(commentHeight - 3); // outer height = comment + 3
    framed(bar, 6, 4);
    EXPECT_EQ(bar.BarFrame(), 0);
    // Nothing drawn: the left quiet zone is white under the comment.
    EXPECT_EQ(pixelAt(picture(bar), 0, bar.Height() - 1), clWhite);
}

TEST(Frame, ItfFramesTheBarsOnlyOthersAllBetweenTheComments)
{
    SymbolLayout layout;
    layout.spaceUp = 4;
    layout.barLength = 50;
    layout.outerWidth = 120;
    layout.outerHeight = 80;
    layout.commentUpHeight = 12;
    layout.commentDownHeight = 10;
    EXPECT_EQ(BarImage::FrameRect(cbarITF, 3, 2, layout), (Rect{3, 6, 123, 56}));
    for (const TBarTypes other : {cbarJAN, cbarCTF, cbarCODE128, cbarCUSTOMER})
        EXPECT_EQ(BarImage::FrameRect(other, 3, 2, layout), (Rect{3, 14, 123, 72})) << other;
}

TEST(Frame, DrawnItfFrameLeavesTheTextLineOut)
{
    BarImage bar;
    bar.SetBarEnabled(false);
    bar.SetBarType(cbarITF);
    bar.SetMatch(true);
    bar.SetBarSpaceUp(4);
    bar.SetBarFrame(3);
    bar.SetCode(QStringLiteral("12345678"));
    bar.SetBarEnabled(true);
    if (!bar.BarDisped())
        GTEST_SKIP() << "ITF does not encode yet";
    ASSERT_GT(bar.Symbol().size(), 0);
    const QImage& image = picture(bar);
    const int barBottom = 4 + bar.BarHeight() - textHeight(bar.BarFont(), bar.Symbol());
    EXPECT_EQ(pixelAt(image, 0, 3), clWhite); // above the frame
    EXPECT_EQ(rowBits(image, 4, 0, 5), QStringLiteral("11111"));
    EXPECT_EQ(rowBits(image, 10, 0, 5), QStringLiteral("11100")); // left band, quiet zone
    EXPECT_EQ(pixelAt(image, 0, barBottom - 1), clBlack);
    EXPECT_EQ(pixelAt(image, 0, barBottom), clWhite); // the text line is outside
}

} // namespace
} // namespace korbena
