#include "sheet/LabelText.h"

#include "TestSupport.h"
#include "platform/Canvas.h"
#include "sheet/SheetLength.h"

#include <QImage>

#include <gtest/gtest.h>

namespace korbena {
namespace {

using test::inked;
using test::pixelAt;

SheetLength mm(double v)
{
    return SheetLength::fromMillimetres(v);
}

// 254 dpi is exactly 10 pixels a millimetre; the screen is 96 dpi at 100 per cent.
LabelTextContext tenPerMm()
{
    LabelTextContext context;
    context.transform.scaleX = context.transform.scaleY = SheetScale::fromDpi(254);
    return context;
}

std::vector<int> xs(const std::vector<TextRun>& runs)
{
    std::vector<int> out;
    for (const TextRun& run : runs)
        out.push_back(run.at.x());
    return out;
}

std::vector<int> ys(const std::vector<TextRun>& runs)
{
    std::vector<int> out;
    for (const TextRun& run : runs)
        out.push_back(run.at.y());
    return out;
}

const LabelFont kFont{QStringLiteral("ＭＳ 明朝"), 20, {}};

TEST(SheetLength, FixedPointRoundsHalvesToEven)
{
    EXPECT_EQ(divideRoundHalfEven(5, 2), 2);
    EXPECT_EQ(divideRoundHalfEven(7, 2), 4);
    EXPECT_EQ(divideRoundHalfEven(-5, 2), -2);
    EXPECT_EQ(divideRoundHalfEven(-7, 2), -4);
    EXPECT_EQ(divideRoundHalfEven(3, 4), 1);
    EXPECT_EQ(mm(12.5).units(), 125000);
    EXPECT_EQ(mm(0.0003).halved().units(), 2); // 1.5 units
    EXPECT_EQ(mm(0.0005).halved().units(), 2); // 2.5 units
    EXPECT_EQ(SheetScale::fromDpi(96).units(), 37795);
    EXPECT_EQ(SheetScale::fromDpi(600).units(), 236220);
}

TEST(SheetLength, OffsetIsWholeMillimetresAndPixelsTruncate)
{
    EXPECT_EQ(sheetOffset(2.7), mm(2));
    EXPECT_EQ(sheetOffset(-2.7), mm(-2));
    EXPECT_EQ(sheetOffset(-0.5), mm(0));
    SheetTransform t;
    t.scaleX = t.scaleY = SheetScale::fromDpi(96);
    t.offsetX = sheetOffset(2.7);
    // trunc((2 + 10) x 3.7795) = 45; trunc(-1 x 3.7795) = -3, toward zero.
    EXPECT_EQ(t.toDevice(mm(10), mm(-1)), QPoint(45, -3));
    // Absurd lengths stay within the device range instead of overflowing.
    EXPECT_EQ(t.toDevice(mm(1e30), mm(-1e30)), QPoint(kDeviceLimit, -kDeviceLimit));
}

TEST(FontStyleFromName, StyleWords)
{
    EXPECT_EQ(FontStyleFromName(QStringLiteral("太字")), (FontStyle{true, false}));
    EXPECT_EQ(FontStyleFromName(QStringLiteral("斜体")), (FontStyle{false, true}));
    EXPECT_EQ(FontStyleFromName(QStringLiteral("太字斜体")), (FontStyle{true, true}));
    EXPECT_EQ(FontStyleFromName(QString()), FontStyle{});
    EXPECT_EQ(FontStyleFromName(QStringLiteral("Bold")), FontStyle{});
}

TEST(LabelCharacters, SurrogatePairIsOneCharacterAndUnit256Bounds)
{
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    EXPECT_EQ(labelCharacters(QStringLiteral("a") + pair + u'b'),
              (std::vector<QString>{QStringLiteral("a"), pair, QStringLiteral("b")}));
    EXPECT_EQ(labelCharacters(QString(300, u'x')).size(), 256u);
    // A pair in units 256 and 257 lies past the limit; one in 255 and 256 straddles it.
    EXPECT_EQ(labelCharacters(QString(255, u'x') + pair).size(), 255u);
    EXPECT_EQ(labelCharacters(QString(254, u'x') + pair).size(), 255u);
}

TEST(LabelTextRuns, HorizontalPitch)
{
    const LabelTextContext c = tenPerMm();
    const auto text = QStringLiteral("ABC");
    EXPECT_EQ(xs(labelTextRuns(c, text, TextRole::Title, kFont, mm(20), mm(5), 0, mm(3))),
              (std::vector<int>{200, 230, 260}));
    EXPECT_EQ(xs(labelTextRuns(c, text, TextRole::Title, kFont, mm(20), mm(5), 0, mm(-3))),
              (std::vector<int>{110, 140, 170}));
    const auto whole = labelTextRuns(c, QString(300, u'x'), TextRole::Title, kFont, mm(20), mm(5), 0, {});
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0], (TextRun{{200, 50}, QString(300, u'x')}));
    EXPECT_EQ(labelTextRuns(c, QString(300, u'x'), TextRole::Title, kFont, {}, {}, 0, mm(1)).size(), 256u);
    EXPECT_TRUE(labelTextRuns(c, QString(), TextRole::Title, kFont, {}, {}, 0, mm(1)).empty());
}

TEST(LabelTextRuns, VerticalStepsHalfThePointSize)
{
    const LabelTextContext c = tenPerMm();
    const auto text = QStringLiteral("ABC");
    EXPECT_EQ(ys(labelTextRuns(c, text, TextRole::Title, kFont, mm(5), mm(30), 1, {})),
              (std::vector<int>{300, 400, 500}));
    EXPECT_EQ(ys(labelTextRuns(c, text, TextRole::Title, kFont, mm(5), mm(30), 1, mm(-5))),
              (std::vector<int>{150, 200, 250}));
    // Any kind but 0 is vertical, no selection (-1) included; characters stay upright.
    const auto runs = labelTextRuns(c, text, TextRole::BarcodeNumber, kFont, mm(5), mm(30), -1, {});
    EXPECT_EQ(xs(runs), (std::vector<int>{50, 50, 50}));
    EXPECT_EQ(runs[1].text, u"B");
}

TEST(LabelTextRuns, CentringUsesTheRolesSwitch)
{
    LabelTextContext c = tenPerMm();
    c.titleCentre = true;
    c.centreBox = mm(30);
    const auto text = QStringLiteral("ABCDE");
    // W = 5 x 2 = 10 mm: the run starts (30 - 10) / 2 = 10 mm further right.
    EXPECT_EQ(xs(labelTextRuns(c, text, TextRole::Title, kFont, mm(1), {}, 0, mm(2))).front(), 110);
    EXPECT_EQ(xs(labelTextRuns(c, text, TextRole::BarcodeNumber, kFont, mm(1), {}, 0, mm(2))).front(), 10);
    c.centreBox = mm(8); // narrower than the text: it stays
    EXPECT_EQ(xs(labelTextRuns(c, text, TextRole::Title, kFont, mm(1), {}, 0, mm(2))).front(), 10);
    c.centreBox = mm(30);
    EXPECT_EQ(xs(labelTextRuns(c, text, TextRole::Title, kFont, mm(1), {}, 1, mm(2))).front(),
              10); // vertical
}

TEST(LabelTextRuns, PointSizeFollowsZoomOnScreenNotOnPaper)
{
    LabelTextContext c;
    EXPECT_EQ(c.pixelHeight(20), 27); // 20 x 96 / 72 = 26.67
    c.zoomPercent = 200;
    EXPECT_EQ(c.pixelHeight(20), 53); // Dp 192: 53.33
    c.kind = SurfaceKind::Printer;
    c.printerDpiY = 600;
    EXPECT_EQ(c.pixelHeight(20), 167); // 166.67 whatever the zoom
    c.zoomPercent = 50;
    EXPECT_EQ(c.pixelHeight(20), 167);
}

TEST(DrawLabelText, OnlyGlyphsInTheColourAndNothingForEmptyText)
{
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage before = image.copy();
    LabelTextContext c;
    c.transform.scaleX = c.transform.scaleY = SheetScale::fromDpi(96);
    {
        Canvas canvas(&image);
        DrawLabelText(canvas, c, QString(), TextRole::Title, kFont, clBlack, mm(5), mm(5), 0, {});
    }
    EXPECT_EQ(image, before);
    {
        Canvas canvas(&image);
        DrawLabelText(canvas, c, QStringLiteral("HHH"), TextRole::Title, kFont, rgbColor(255, 0, 0), mm(5),
                      mm(5), 0, {});
    }
    const QRect box = inked(image);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 18); // trunc(5 x 3.7795) = 18
    EXPECT_GE(box.top(), 18);
    EXPECT_LE(box.height(), 27);
    // Glyphs in the colour: full red inside the strokes, blends of red and white at
    // their edges, nothing of any other hue.
    int red = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c == QColor(255, 0, 0);
            EXPECT_EQ(c.green(), c.blue());
            EXPECT_EQ(c.red(), 255);
        }
    EXPECT_GT(red, 20);
}

TEST(DrawLabelText, CentredTextSitsInTheMiddleOfTheBox)
{
    QImage image(400, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    LabelTextContext c;
    c.transform.scaleX = c.transform.scaleY = SheetScale::fromDpi(96);
    c.numberCentre = true;
    c.centreBox = mm(80);
    {
        Canvas canvas(&image);
        DrawLabelText(canvas, c, QStringLiteral("1234"), TextRole::BarcodeNumber, kFont, clBlack, mm(10), {},
                      0, {});
    }
    // The box runs from 10 to 90 mm: 37 to 340 pixels; the ink sits mid-way.
    const QRect box = inked(image);
    EXPECT_NEAR((box.left() + box.right()) / 2.0, (37 + 340) / 2.0, 4);
}

} // namespace
} // namespace korbena
