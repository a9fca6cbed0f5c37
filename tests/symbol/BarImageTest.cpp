// The barcode component: sizes, the paint pipeline, setter side effects, events
// and the check-character getter, driven through a JAN symbol.
#include "symbol/BarImage.h"

#include "TestSupport.h"
#include "symbol/MainBarImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbena {
namespace {

using test::pixelAt;
using test::rowBits;

const QString kJan = QStringLiteral("494612200092");

// A component at Scale 1 without text, painting suspended while it is set up.
struct Fixture
{
    BarImage bar;
    std::vector<std::string> events;
    int paints = 0;

    explicit Fixture(bool match = true, int scale = 1)
    {
        bar.SetBarEnabled(false);
        bar.SetScale(scale);
        bar.SetSymbolDisp(false);
        bar.SetMatch(match);
        bar.SetBarEnabled(true);
        bar.OnPaintBar = [this](BarImage&, bool) { ++paints; };
    }

    void record()
    {
        auto log = [this](const char* name) {
            return [this, name](BarImage& sender, bool watch) {
                events.push_back(std::string(name) + (watch ? "+watch" : "") + ":" +
                                 sender.Code().toStdString());
            };
        };
        bar.OnChangeCode = log("change");
        bar.OnPaintBar = [this, log](BarImage& sender, bool watch) {
            ++paints;
            log("paint")(sender, watch);
        };
        bar.OnPaintedBar = log("painted");
        bar.OnChangedCode = log("changed");
    }

    const QImage& image() const { return bar.Picture().bitmap()->image(); }
};

// --- sizes ---

TEST(BarImageSize, JanAtScaleOneIsNinetySixPixelsInside116)
{
    Fixture f;
    f.bar.SetCode(kJan);
    ASSERT_TRUE(f.bar.BarDisped());
    EXPECT_EQ(f.bar.BarWidth(), 96);
    EXPECT_EQ(f.bar.Width(), 116);
    EXPECT_EQ(f.bar.Height(), 105);
    EXPECT_EQ(f.bar.Picture().bitmap()->Width(), 116);
    EXPECT_EQ(f.bar.Picture().bitmap()->Height(), 105);
}

TEST(BarImageSize, MainWindowInstanceShows500By105)
{
    BarImage bar;
    configureMainWindowBarImage(bar);
    EXPECT_TRUE(bar.BarDisped());
    EXPECT_EQ(bar.Code(), kJan);
    EXPECT_EQ(bar.Width(), 500);
    EXPECT_EQ(bar.Height(), 105);
    EXPECT_EQ(bar.BarWidth(), 480);
    EXPECT_TRUE(bar.Symbol().size() == 13);
    EXPECT_TRUE(bar.Stretch());
    EXPECT_TRUE(bar.Center());
    EXPECT_EQ(bar.BarFont().height, -16);
}

TEST(BarImageSize, QuietZonesAndPositionEnlargeTheMatchedPicture)
{
    Fixture f;
    f.bar.SetBarEnabled(false);
    f.bar.SetBarSpaceUp(7);
    f.bar.SetBarSpaceDown(3);
    f.bar.SetBarSpaceLeft(-4); // negative quiet zones are stored as 0
    f.bar.SetBarSpaceRight(5);
    f.bar.SetBarLeft(2);
    f.bar.SetBarTop(1);
    f.bar.SetCode(QStringLiteral("4901234"));
    f.bar.SetBarEnabled(true);
    EXPECT_EQ(f.bar.BarSpaceLeft(), 0);
    EXPECT_EQ(f.bar.Width(), 2 + 0 + 68 + 5);
    EXPECT_EQ(f.bar.Height(), 1 + 7 + 105 + 3);
    // Bars start at BarLeft + BarSpaceLeft and BarTop + BarSpaceUp.
    EXPECT_EQ(pixelAt(f.image(), 2, 8), clBlack);
    EXPECT_EQ(pixelAt(f.image(), 2, 7), clWhite);
    EXPECT_EQ(pixelAt(f.image(), 1, 8), clWhite);
    EXPECT_EQ(pixelAt(f.image(), 2, 8 + 104), clBlack);
    EXPECT_EQ(pixelAt(f.image(), 2, 8 + 105), clWhite);
}

// --- bars ---

TEST(BarImageBars, EachModuleIsOneScaleWideAndSpacesStayBackground)
{
    Fixture f(true, 3);
    f.bar.SetCode(kJan);
    const QString pattern = f.bar.LastPattern();
    ASSERT_EQ(pattern.size(), 96);
    QString expected;
    for (const QChar c : pattern)
        expected += QString(3, c);
    for (const int y : {0, 50, 104})
        EXPECT_EQ(rowBits(f.image(), y, 10, 10 + 288), expected) << y;
    EXPECT_EQ(rowBits(f.image(), 50, 0, 10), QString(10, u'0'));
    EXPECT_EQ(rowBits(f.image(), 50, 298, 308), QString(10, u'0'));
}

TEST(BarImageBars, ColoursComeFromBarColorAndBackColor)
{
    Fixture f;
    const TColor navy = rgbColor(0, 0, 128);
    const TColor cream = rgbColor(255, 250, 220);
    f.bar.SetBarEnabled(false);
    f.bar.SetBarColor(navy);
    f.bar.SetBackColor(cream);
    f.bar.SetCode(kJan);
    f.bar.SetBarEnabled(true);
    EXPECT_EQ(pixelAt(f.image(), 10, 20), navy); // start guard
    EXPECT_EQ(pixelAt(f.image(), 11, 20), cream);
    EXPECT_EQ(pixelAt(f.image(), 0, 0), cream);
}

// --- BarHeight and the text line ---

TEST(BarImageHeight, LowBarHeightIsRaisedToTextHeightPlusSix)
{
    Fixture f;
    FontSpec font;
    font.height = -16;
    f.bar.SetBarEnabled(false);
    f.bar.SetBarFont(&font);
    f.bar.SetSymbolDisp(true);
    f.bar.SetBarHeight(10);
    f.bar.SetCode(kJan);
    f.bar.SetBarEnabled(true);
    const int th = textHeight(font, f.bar.Symbol());
    ASSERT_GE(th, 16);
    EXPECT_EQ(f.bar.BarHeight(), th + 6);
    EXPECT_EQ(f.bar.Height(), th + 6);
    // Bars are 6 pixels long; the text line lies below them.
    const int tw = textWidth(font, f.bar.Symbol());
    const int x = 10 + (tw > 96 ? (tw - 96) / 2 : 0); // the start guard's first bar
    EXPECT_EQ(pixelAt(f.image(), x, 5), clBlack);
    EXPECT_NE(pixelAt(f.image(), x, 6), clBlack);
}

TEST(BarImageHeight, WithoutTextTheLeastBarLengthIsSix)
{
    Fixture f;
    f.bar.SetBarHeight(10);
    f.bar.SetCode(kJan);
    EXPECT_EQ(f.bar.BarHeight(), 10);
    f.bar.SetBarHeight(3);
    EXPECT_EQ(f.bar.BarHeight(), 6);
    EXPECT_EQ(f.bar.Height(), 6);
}

TEST(BarImageHeight, TextWiderThanBarsCentresTheBars)
{
    Fixture f;
    FontSpec big;
    big.height = -40;
    f.bar.SetBarEnabled(false);
    f.bar.SetBarFont(&big);
    f.bar.SetSymbolDisp(true);
    f.bar.SetCode(QStringLiteral("4901234"));
    f.bar.SetBarEnabled(true);
    const int tw = textWidth(big, QStringLiteral("49012347"));
    ASSERT_GT(tw, 68);
    EXPECT_EQ(f.bar.BarWidth(), tw);
    EXPECT_EQ(f.bar.Width(), 10 + tw + 10);
    const int offset = (tw - 68) / 2;
    EXPECT_EQ(pixelAt(f.image(), 10 + offset - 1, 0), clWhite);
    EXPECT_EQ(pixelAt(f.image(), 10 + offset, 0), clBlack);
    EXPECT_EQ(rowBits(f.image(), 0, 10 + offset, 10 + offset + 68), f.bar.LastPattern());
}

// --- comments ---

TEST(BarImageComments, TakeNoRoomAndCentredWideCommentStartsAtBarLeft)
{
    Fixture f;
    FontSpec font;
    font.height = -14;
    f.bar.SetBarEnabled(false);
    f.bar.SetBarFont(&font);
    f.bar.SetBarSpaceUp(20);
    f.bar.SetCommentUpLoc(locCenter);
    f.bar.SetCommentUp(QStringLiteral("HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH"));
    f.bar.SetCode(kJan);
    f.bar.SetBarEnabled(true);
    EXPECT_EQ(f.bar.Width(), 116);
    EXPECT_EQ(f.bar.Height(), 20 + 105);
    // The comment's first stroke is within a few pixels of the left edge.
    bool inked = false;
    for (int y = 0; y < 16 && !inked; ++y) {
        for (int x = 0; x < 4; ++x)
            inked = inked || f.image().pixelColor(x, y).lightness() < 128;
    }
    EXPECT_TRUE(inked);
}

TEST(BarImageComments, RightCommentEndsAtTheOuterEdge)
{
    Fixture f;
    FontSpec font;
    font.height = -14;
    f.bar.SetBarEnabled(false);
    f.bar.SetBarFont(&font);
    f.bar.SetBarSpaceDown(20);
    f.bar.SetCommentDownLoc(locRight);
    f.bar.SetCommentDown(QStringLiteral("HH"));
    f.bar.SetCode(kJan);
    f.bar.SetBarEnabled(true);
    const int cw = textWidth(font, QStringLiteral("HH"));
    const int ch = textHeight(font, QStringLiteral("HH"));
    int leftmost = 1000;
    for (int y = f.bar.Height() - ch; y < f.bar.Height(); ++y) {
        for (int x = 0; x < f.bar.Width(); ++x) {
            if (f.image().pixelColor(x, y).lightness() < 128)
                leftmost = std::min(leftmost, x);
        }
    }
    EXPECT_GE(leftmost, 116 - cw);
    EXPECT_LT(leftmost, 116 - cw / 2);
}

// --- empty and rejected codes, ClearOption and BarDebug ---

TEST(BarImageClear, EmptyCodeDrawsNothingAndClearOptionEmptiesThePicture)
{
    Fixture f;
    f.bar.SetCode(kJan);
    f.bar.SetCode(QString());
    EXPECT_FALSE(f.bar.BarDisped());
    EXPECT_TRUE(f.bar.Symbol().isEmpty());
    EXPECT_EQ(f.bar.CDN(), -1);
    ASSERT_TRUE(f.bar.Picture().bitmap());
    EXPECT_EQ(f.bar.Picture().bitmap()->Width(), 116); // the old picture stays

    f.bar.SetClearOption(true); // no symbol shown: cleared at once
    EXPECT_FALSE(f.bar.Picture().hasGraphic());
}

TEST(BarImageClear, RejectedCodeKeepsWorkSymbolOfTheLastSuccess)
{
    Fixture f;
    f.bar.SetClearOption(true);
    f.bar.SetCode(kJan);
    f.bar.SetCode(QStringLiteral("12345"));
    EXPECT_FALSE(f.bar.BarDisped());
    EXPECT_EQ(f.bar.WorkSymbol(), QStringLiteral("4946122000923"));
    EXPECT_TRUE(f.bar.Symbol().isEmpty());
    EXPECT_EQ(f.bar.CDN(), -1);
    EXPECT_FALSE(f.bar.Picture().hasGraphic());
}

TEST(BarImageClear, BarDebugKeepsThePictureForBadAndGoodCodes)
{
    Fixture f;
    f.bar.SetClearOption(true);
    f.bar.SetCode(QStringLiteral("4901234"));
    const QImage before = f.image();
    f.bar.SetBarDebug(true);

    f.bar.SetCode(QStringLiteral("bad"));
    ASSERT_TRUE(f.bar.Picture().bitmap());
    EXPECT_EQ(f.image(), before);
    EXPECT_FALSE(f.bar.BarDisped());

    f.bar.SetCode(kJan);
    EXPECT_TRUE(f.bar.BarDisped());
    EXPECT_EQ(f.bar.WorkSymbol(), QStringLiteral("4946122000923"));
    EXPECT_EQ(f.bar.Symbol(), QStringLiteral("4946122000923"));
    EXPECT_EQ(f.bar.CDN(), 3);
    EXPECT_EQ(f.image(), before); // encoded, not drawn
}

TEST(BarImageClear, ClearOptionRulesLookAtTheCurrentValue)
{
    Fixture f;
    f.bar.SetCode(kJan);
    f.bar.SetClearOption(true); // symbol shown: nothing cleared
    EXPECT_TRUE(f.bar.Picture().hasGraphic());
    f.bar.SetClearOption(false);
    f.bar.SetCode(QString());
    EXPECT_TRUE(f.bar.Picture().hasGraphic());
    f.bar.Clear();
    EXPECT_FALSE(f.bar.Picture().hasGraphic());
    EXPECT_FALSE(f.bar.BarDisped());
}

TEST(BarImageClear, UnknownBarTypeAndHugeScaleShowNoSymbol)
{
    Fixture f;
    f.bar.SetCode(kJan);
    f.bar.SetBarType(static_cast<TBarTypes>(42));
    EXPECT_FALSE(f.bar.BarDisped());
    f.bar.SetBarType(cbarJAN);
    EXPECT_TRUE(f.bar.BarDisped());
    f.bar.SetScale(100000); // wider than any bitmap: refused rather than allocated
    EXPECT_FALSE(f.bar.BarDisped());
    f.bar.SetScale(0);
    EXPECT_FALSE(f.bar.BarDisped());
    f.bar.SetScale(2);
    EXPECT_TRUE(f.bar.BarDisped());
    EXPECT_EQ(f.bar.Width(), 212);
}

// --- drawing into the existing picture (Match off) ---

TEST(BarImageNoMatch, DrawsIntoTheExistingPictureAtBarLeftAndBarTop)
{
    Fixture f(false);
    EXPECT_EQ(f.bar.Width(), 105);
    f.bar.SetBarEnabled(false);
    f.bar.SetBarLeft(3);
    f.bar.SetBarTop(4);
    f.bar.SetBarHeight(20);
    f.bar.SetBarSpaceLeft(0);
    f.bar.SetBarSpaceRight(0);
    f.bar.SetCode(QStringLiteral("4901234"));
    f.bar.SetBarEnabled(true);
    ASSERT_TRUE(f.bar.BarDisped());
    EXPECT_EQ(f.bar.Width(), 105); // the control keeps its size
    EXPECT_EQ(f.image().width(), 105);
    EXPECT_EQ(f.bar.BarLeft(), 3);
    EXPECT_EQ(f.bar.BarTop(), 4);
    EXPECT_TRUE(f.bar.Visible());
    EXPECT_EQ(pixelAt(f.image(), 3, 4), clBlack);
    EXPECT_EQ(pixelAt(f.image(), 3, 23), clBlack);
    EXPECT_EQ(pixelAt(f.image(), 3, 24), clWhite);
}

TEST(BarImageNoMatch, OnlyTheBackgroundRectangleIsRepainted)
{
    Fixture f(false);
    f.bar.SetBarEnabled(false);
    f.bar.SetBarSpaceLeft(0);
    f.bar.SetBarSpaceRight(0);
    f.bar.SetBarHeight(20);
    f.bar.SetCode(QStringLiteral("4901234"));
    f.bar.SetBarEnabled(true);
    QImage& image = f.bar.Picture().Bitmap().image();
    image.setPixel(100, 100, qRgb(255, 0, 0)); // outside the symbol's rectangle
    image.setPixel(1, 1, qRgb(255, 0, 0));     // inside it, in a space? no: over the start guard
    f.bar.SetBarColor(clBlack);
    EXPECT_EQ(pixelAt(f.image(), 100, 100), rgbColor(255, 0, 0));
    EXPECT_EQ(pixelAt(f.image(), 1, 1), clWhite); // start guard "101": x = 1 is a space
}

TEST(BarImageNoMatch, TransparentLeavesThePreviousSymbolVisible)
{
    Fixture f(false);
    f.bar.SetBarEnabled(false);
    f.bar.SetBarSpaceLeft(0);
    f.bar.SetBarSpaceRight(0);
    f.bar.SetBarHeight(20);
    f.bar.SetCode(QStringLiteral("4901234"));
    f.bar.SetBarEnabled(true);
    const QImage first = f.image();
    f.bar.SetTransparent(true);
    f.bar.SetCode(QStringLiteral("1234567"));
    // Every bar pixel of the first symbol is still black: nothing was painted as background.
    for (int x = 0; x < 68; ++x) {
        if (pixelAt(first, x, 10) == clBlack) {
            ASSERT_EQ(pixelAt(f.image(), x, 10), clBlack) << x;
        }
    }
}

// --- setter side effects ---

TEST(BarImageSetters, AngleOutsideRightAnglesIsIgnored)
{
    Fixture f;
    f.bar.SetCode(kJan);
    const int before = f.paints;
    f.bar.SetAngle(45);
    EXPECT_EQ(f.bar.Angle(), 0);
    EXPECT_EQ(f.paints, before);
    f.bar.SetAngle(-90);
    f.bar.SetAngle(360);
    EXPECT_EQ(f.bar.Angle(), 0);
    EXPECT_EQ(f.paints, before);
    f.bar.SetAngle(180);
    EXPECT_EQ(f.bar.Angle(), 180);
    EXPECT_EQ(f.paints, before + 1);
}

TEST(BarImageSetters, RepaintOnlyWhereTheSettingMatters)
{
    Fixture f;
    f.bar.SetCode(kJan); // JAN
    const int before = f.paints;
    f.bar.SetCommentUpLoc(locRight);    // no comment: no repaint
    f.bar.SetCommentDownLoc(locCenter); // no comment: no repaint
    f.bar.SetStartChar(u'B');           // NW-7 and CODE-128 only
    f.bar.SetStopChar(u'C');            // NW-7 only
    f.bar.SetCD(false);                 // not for JAN
    f.bar.SetElementRatio(25);          // two-width symbologies only
    f.bar.SetAutomatic(false);          // CODE-128 only
    f.bar.SetBarDebug(false);           // never repaints
    EXPECT_EQ(f.paints, before);

    f.bar.SetBarType(cbarNW7);
    const int nw7 = f.paints;
    f.bar.SetStartChar(u'C');
    f.bar.SetStopChar(u'D');
    f.bar.SetCD(true);
    f.bar.SetElementRatio(30);
    EXPECT_EQ(f.paints, nw7 + 4);

    f.bar.SetBarType(cbarIATA); // its check digit is always there
    const int iata = f.paints;
    f.bar.SetCD(false);
    EXPECT_EQ(f.paints, iata);

    f.bar.SetBarType(cbarCUSTOMER); // the customer barcode sets its own height
    const int customer = f.paints;
    f.bar.SetBarHeight(50);
    EXPECT_EQ(f.paints, customer);
    EXPECT_EQ(f.bar.BarHeight(), 50);
}

TEST(BarImageSetters, StartAndStopOutsideAToDBecomeA)
{
    Fixture f;
    f.bar.SetStartChar(u'D');
    EXPECT_EQ(f.bar.StartChar(), u'D');
    f.bar.SetStartChar(u'E');
    EXPECT_EQ(f.bar.StartChar(), u'A');
    f.bar.SetStopChar(u'b');
    EXPECT_EQ(f.bar.StopChar(), u'A');
    f.bar.SetStopChar(QChar(0xFF21)); // full-width Ａ
    EXPECT_EQ(f.bar.StopChar(), u'A');
}

TEST(BarImageSetters, SameValueAgainStillRepaints)
{
    Fixture f;
    f.bar.SetCode(kJan);
    const int before = f.paints;
    f.bar.SetScale(1);
    f.bar.SetBarColor(f.bar.BarColor());
    f.bar.SetCode(kJan);
    EXPECT_EQ(f.paints, before + 3);
}

TEST(BarImageSetters, TransparentMatchAndBarPictureInterplay)
{
    Fixture f;
    f.bar.SetCode(kJan);
    ASSERT_TRUE(f.bar.Match());
    f.bar.SetBarPicture(picEMF);
    EXPECT_EQ(f.bar.BarPicture(), picEMF);

    f.bar.SetTransparent(true);
    EXPECT_FALSE(f.bar.Match());
    EXPECT_EQ(f.bar.BarPicture(), picBMP);

    const int before = f.paints;
    f.bar.SetBarPicture(picWMF); // without Match a vector picture falls back, no repaint
    EXPECT_EQ(f.bar.BarPicture(), picBMP);
    EXPECT_EQ(f.paints, before);

    f.bar.SetMatch(true);
    EXPECT_FALSE(f.bar.Transparent());
    f.bar.SetBarPicture(picEMF);
    f.bar.SetMatch(false);
    EXPECT_EQ(f.bar.BarPicture(), picBMP);
}

TEST(BarImageSetters, BarEnabledSuspendsPaintingAndPaintsOnceWhenBack)
{
    Fixture f;
    f.record();
    f.bar.SetBarEnabled(false);
    f.bar.SetCode(kJan);
    f.bar.SetScale(2);
    EXPECT_EQ(f.paints, 0);
    EXPECT_FALSE(f.bar.BarDisped());
    // The code events still fire while painting is suspended.
    EXPECT_EQ(f.events, (std::vector<std::string>{"change:", "changed:494612200092"}));
    f.bar.SetBarEnabled(true);
    EXPECT_EQ(f.paints, 1);
    EXPECT_EQ(f.bar.Width(), 212);
    f.bar.SetBarEnabled(true); // already on: nothing
    EXPECT_EQ(f.paints, 1);
}

TEST(BarImageSetters, BarFontIsCopiedAndNullOrOwnFontDoNothing)
{
    Fixture f;
    f.bar.SetCode(kJan);
    const int before = f.paints;
    f.bar.SetBarFont(nullptr);
    f.bar.SetBarFont(&f.bar.BarFont());
    EXPECT_EQ(f.paints, before);

    FontSpec font;
    font.height = -30;
    f.bar.SetBarFont(&font); // SymbolDisp off: stored without repaint
    EXPECT_EQ(f.paints, before);
    font.height = -10; // the component keeps its own copy
    EXPECT_EQ(f.bar.BarFont().height, -30);

    f.bar.SetSymbolDisp(true);
    const int shown = f.paints;
    f.bar.SetBarFont(&font);
    EXPECT_EQ(f.paints, shown + 1);
}

// --- events ---

TEST(BarImageEvents, CodeAssignmentFiresFourEventsInOrderWithWatchFalse)
{
    Fixture f;
    f.bar.SetCode(QStringLiteral("4901234"));
    f.record();
    f.bar.SetCode(kJan);
    EXPECT_EQ(f.events, (std::vector<std::string>{"change:4901234", "paint:494612200092",
                                                  "painted:494612200092", "changed:494612200092"}));
    f.events.clear();
    f.bar.SetCode(kJan); // the same value again is a full assignment
    EXPECT_EQ(f.events.size(), 4u);
}

TEST(BarImageEvents, PaintedFiresBeforeTheClearingStep)
{
    Fixture f;
    f.bar.SetClearOption(true);
    f.bar.SetCode(kJan);
    bool hadPicture = false;
    f.bar.OnPaintedBar = [&](BarImage& sender, bool) { hadPicture = sender.Picture().hasGraphic(); };
    f.bar.SetCode(QStringLiteral("x"));
    EXPECT_TRUE(hadPicture);
    EXPECT_FALSE(f.bar.Picture().hasGraphic());
}

TEST(BarImageEvents, HandlerAssigningAPropertyPaintsNested)
{
    Fixture f;
    int nested = 0;
    f.bar.OnChangedCode = [&](BarImage& sender, bool) {
        if (nested++ == 0)
            sender.SetScale(2);
    };
    f.bar.SetCode(kJan);
    EXPECT_EQ(f.bar.Width(), 212);
    EXPECT_EQ(nested, 1);
}

// --- CDC and the UPC repaint commands ---

TEST(BarImageCdc, JanCheckDigitIsWhatFollowsTheData)
{
    Fixture f;
    EXPECT_TRUE(f.bar.CDC().isEmpty());
    f.bar.SetCode(kJan);
    EXPECT_EQ(f.bar.WorkSymbol(), QStringLiteral("4946122000923"));
    EXPECT_EQ(f.bar.CDC(), QStringLiteral("3"));
    f.bar.SetCode(QStringLiteral("1234567"));
    EXPECT_EQ(f.bar.CDC(), QStringLiteral("0"));
    // A failed encoding keeps WorkSymbol, but the new Code no longer occurs in it.
    f.bar.SetCode(QStringLiteral("99"));
    EXPECT_TRUE(f.bar.CDC().isEmpty());
}

TEST(BarImageUpcRepaint, OnlyAUpcSymbolOfTheRightLengthIsConverted)
{
    Fixture f;
    f.bar.SetCode(kJan);
    ASSERT_TRUE(f.bar.BarDisped());
    f.bar.RepaintUPCA2E(); // not UPC: only BarDisped drops, the picture stays
    EXPECT_FALSE(f.bar.BarDisped());
    EXPECT_EQ(f.bar.Code(), kJan);
    EXPECT_TRUE(f.bar.Picture().hasGraphic());
    f.bar.RepaintBarcode();
    EXPECT_TRUE(f.bar.BarDisped());
    f.bar.RepaintUPCE2A();
    EXPECT_FALSE(f.bar.BarDisped());
}

TEST(BarImageView, PictureChangesAreAnnounced)
{
    Fixture f;
    int told = 0;
    f.bar.pictureChanged = [&] { ++told; };
    f.bar.SetCode(kJan);
    f.bar.Clear();
    EXPECT_EQ(told, 2);
}

} // namespace
} // namespace korbena
