#include "sheet/LabelFit.h"

#include <gtest/gtest.h>

namespace korbena {
namespace {

// An 80 x 40 mm label at the corner fitted to a 40 x 30 mm one at (5, 10): half as
// wide, three quarters as high.
constexpr LabelFrame kFrom{0, 0, 80, 40};
constexpr LabelFrame kTo{5, 10, 40, 30};

LabelStyle content()
{
    LabelStyle style;
    style.sheet.pitchX = 80;
    style.sheet.pitchY = 40;
    style.placement = {20, 8, 40, 16, 1};
    style.symbol.moduleSize = 0.5;
    style.title.x = 20;
    style.title.y = 4;
    style.title.fontSize = QStringLiteral("10");
    style.title.shadowX = 1;
    style.title.shadowY = 2;
    style.title.secondLineY = 4;
    style.number.x = 21;
    style.number.y = 30;
    style.number.fontSize = QStringLiteral("9");
    style.number.vertical = true;
    style.number.pitch = 2;
    return style;
}

TEST(LabelFit, PositionsFollowTheLabelsProportionsAndSizesTheSmallerRatio)
{
    LabelStyle style = content();
    const LabelStyle before = style;
    fitLabelContent(style, kFrom, kTo);
    // x: 5 + 20 x 0.5; y: 10 + 8 x 0.75; the barcode 40 x 16 becomes 20 x 12.
    EXPECT_EQ(style.placement, (SymbolPlacement{15, 16, 20, 12, 1}));
    EXPECT_EQ(style.symbol.moduleSize, 0.25L);
    EXPECT_EQ(style.title.x, 15);
    EXPECT_EQ(style.title.y, 13);
    EXPECT_EQ(style.title.fontSize, u"5");
    EXPECT_EQ(style.title.shadowX, 0.5L);
    EXPECT_EQ(style.title.shadowY, 1.5L);
    EXPECT_EQ(style.title.secondLineY, 3);
    EXPECT_EQ(style.number.x, 15.5L);
    EXPECT_EQ(style.number.y, 32.5L);
    EXPECT_EQ(style.number.fontSize, u"4"); // 4.5 points to the even whole point
    EXPECT_EQ(style.number.pitch, 1.5L);    // vertical writing steps down: the height's ratio
    // The grid, the fonts' faces and colours and the symbology are not the content's.
    EXPECT_EQ(style.sheet, before.sheet);
    EXPECT_EQ(style.title.fontName, before.title.fontName);
    EXPECT_EQ(style.symbol.symbology, before.symbol.symbology);

    // One length set: the picture's proportions give the other, so both go by the
    // smaller ratio; its own size: kept. A size that is no whole number stays.
    style = content();
    style.placement.height = 0;
    style.title.fontSize = QStringLiteral("大");
    fitLabelContent(style, kFrom, kTo);
    EXPECT_EQ(style.placement.width, 20);
    EXPECT_EQ(style.placement.height, 0);
    EXPECT_EQ(style.title.fontSize, u"大");
    style = content();
    style.placement.sizeMode = 0;
    fitLabelContent(style, kFrom, kTo);
    EXPECT_EQ(style.placement.width, 40);
    EXPECT_EQ(style.placement.x, 15);

    // A cell of no size fits nothing.
    style = content();
    fitLabelContent(style, kFrom, {0, 0, 0, 30});
    EXPECT_EQ(style, content());
}

TEST(LabelFit, LengthsAreHundredthsWithTheBarcodeRoundedDownAndFontsToTheNearestPoint)
{
    // The default style's 70 x 33.9 mm label to the 44-label sheet's 48.3 x 25.4 mm.
    LabelStyle style;
    style.placement = {15, 21.4L, 40, 14, 1};
    style.title.fontSize = QStringLiteral("10");
    style.number.fontSize = QStringLiteral("1");
    fitLabelContent(style, {0, 0, 70, 33.9}, {0, 0, 48.3, 25.4});
    EXPECT_EQ(style.placement.x, 10.35L);      // 15 x 0.69
    EXPECT_EQ(style.placement.y, 16.03L);      // 16.034..
    EXPECT_EQ(style.placement.width, 27.6L);   // 40 x 0.69, not a hundredth short
    EXPECT_EQ(style.placement.height, 10.48L); // 10.4897.. down
    EXPECT_EQ(style.title.fontSize, u"7");     // 6.9
    EXPECT_EQ(style.number.fontSize, u"1");    // never below one point
}

} // namespace
} // namespace korbena
