// Bitmap symbols drawn row by row must be the very pixels of the plain drawing: a
// painter filling the background and then every bar as a rectangle, the text, frame
// and comments over them, then the turn and the mirror. Each case sets up the
// component, paints once, and compares the whole picture with that reference.
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <QPainter>
#include <QTransform>

#include <gtest/gtest.h>

#include <optional>

namespace korbena {
namespace {

struct Case
{
    const char* name = "";
    TBarTypes type = cbarJAN;
    QString code;
    int scale = 1;
    int ratio = 20;
    int angle = 0;
    bool reverse = false;
    bool match = true;
    bool transparent = false;
    TColor barColor = clBlack;
    TColor backColor = clWhite;
    int left = 0;
    int top = 0;
    int spaceUp = 0;
    int spaceDown = 0;
    bool symbolDisp = false;
    int fontHeight = -12;
    int frame = 0;
    QString commentUp;
    // Size of the displayed picture drawn into without Match.
    QSize picture{0, 0};

    void intoPicture(QSize size, int x, int y)
    {
        match = false;
        picture = size;
        left = x;
        top = y;
    }
};

template <typename Settings> Case make(const char* name, TBarTypes type, const char* code, Settings settings)
{
    Case c;
    c.name = name;
    c.type = type;
    c.code = QString::fromLatin1(code);
    settings(c);
    return c;
}

// Every pixel distinct enough that a turn, a mirror or a stray fill shows.
QImage patterned(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, ((x + y) * 3) % 256));
    return image;
}

QImage turned(const QImage& image, int angle)
{
    return angle % 360 == 0 ? image : image.transformed(QTransform().rotate(angle));
}

int elementWidth(const Case& c, int digit)
{
    const int modules = digit / 2 + 1;
    const int w = modules * c.scale;
    return modules > 1 && isTwoWidth(c.type) ? w * c.ratio / 20 : w;
}

void setUp(BarImage& bar, const Case& c)
{
    bar.SetBarEnabled(false);
    bar.SetBarType(c.type);
    bar.SetScale(c.scale);
    bar.SetElementRatio(c.ratio);
    bar.SetAngle(c.angle);
    bar.SetReverse(c.reverse);
    bar.SetMatch(c.match);
    bar.SetTransparent(c.transparent);
    bar.SetBarColor(c.barColor);
    bar.SetBackColor(c.backColor);
    bar.SetBarLeft(c.left);
    bar.SetBarTop(c.top);
    bar.SetBarSpaceUp(c.spaceUp);
    bar.SetBarSpaceDown(c.spaceDown);
    bar.SetSymbolDisp(c.symbolDisp);
    FontSpec font;
    font.height = c.fontHeight;
    bar.SetBarFont(&font);
    bar.SetBarFrame(c.frame);
    bar.SetCommentUp(c.commentUp);
    if (!c.match) {
        bar.SetWidth(c.picture.width());
        bar.SetHeight(c.picture.height());
        bar.Picture().Bitmap().assign(patterned(c.picture));
    }
    bar.SetCode(c.code);
    bar.SetBarEnabled(true);
}

// The picture as the plain drawing makes it, from the sizes the component reports.
QImage reference(const BarImage& bar, const Case& c)
{
    const FontSpec& font = bar.BarFont();
    const int th = c.symbolDisp ? textHeight(font, bar.Symbol()) : 0;
    const int tw = c.symbolDisp ? textWidth(font, bar.Symbol()) : 0;
    int pw = 0;
    for (const QChar digit : bar.LastPattern())
        pw += elementWidth(c, digit.unicode() - u'0');
    const int bl = bar.BarHeight() - th;
    const int ow = bar.BarSpaceLeft() + bar.BarWidth() + bar.BarSpaceRight();
    const int oh = c.spaceUp + bar.BarHeight() + c.spaceDown;
    const int w0 = c.picture.width();
    const int h0 = c.picture.height();
    int left = c.left;
    int top = c.top;
    QImage image;
    if (c.match) {
        image = QImage(left + ow, top + oh, QImage::Format_RGB32);
    } else {
        image =
            turned(c.reverse ? patterned(c.picture).mirrored(true, false) : patterned(c.picture), -c.angle);
        if (c.angle == 90) {
            left = c.top;
            top = w0 - c.left - oh;
        } else if (c.angle == 180) {
            left = w0 - c.left - ow;
            top = h0 - c.top - oh;
        } else if (c.angle == 270) {
            left = h0 - c.top - ow;
            top = c.left;
        }
    }
    {
        Canvas canvas(&image);
        QPainter& p = canvas.painter();
        if (!c.transparent)
            p.fillRect(c.match ? QRect(0, 0, left + ow, top + oh) : QRect(left, top, ow, oh),
                       toQColor(c.backColor));
        const int barLeft = left + bar.BarSpaceLeft() + (pw > tw ? 0 : (tw - pw) / 2);
        const int barTop = top + c.spaceUp;
        int x = 0;
        for (const QChar ch : bar.LastPattern()) {
            const int digit = ch.unicode() - u'0';
            const int w = elementWidth(c, digit);
            if (digit % 2 == 1)
                p.fillRect(QRect(barLeft + x, barTop, w, bl), toQColor(c.barColor));
            x += w;
        }
        canvas.SetFont(font);
        if (c.symbolDisp)
            canvas.TextOut(left + bar.BarSpaceLeft() + (pw > tw ? (pw - tw) / 2 : 0), barTop + bl,
                           bar.Symbol());
        if (c.frame > 0) { // frames small enough not to be lowered
            const QRect r = c.type == cbarITF ? QRect(left, barTop, ow, bl)
                                              : QRect(left, top + textHeight(font, c.commentUp), ow,
                                                      oh - textHeight(font, c.commentUp));
            const QColor colour = toQColor(c.barColor);
            p.fillRect(QRect(r.left(), r.top(), r.width(), c.frame), colour);
            p.fillRect(QRect(r.left(), r.bottom() + 1 - c.frame, r.width(), c.frame), colour);
            p.fillRect(QRect(r.left(), r.top() + c.frame, c.frame, r.height() - 2 * c.frame), colour);
            p.fillRect(QRect(r.right() + 1 - c.frame, r.top() + c.frame, c.frame, r.height() - 2 * c.frame),
                       colour);
        }
        canvas.TextOut(left, top, c.commentUp);
    }
    image = turned(image, c.angle);
    return c.reverse ? image.mirrored(true, false) : image;
}

void expectSamePixels(const QImage& actual, const QImage& expected, const char* name)
{
    ASSERT_EQ(actual.size(), expected.size()) << name;
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != e.pixel(x, y)) {
                ADD_FAILURE() << name << ": pixel (" << x << ", " << y << ") is " << std::hex << a.pixel(x, y)
                              << ", the plain drawing gives " << e.pixel(x, y);
                return;
            }
        }
    }
}

void expectAgreement(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        BarImage bar;
        setUp(bar, c);
        ASSERT_TRUE(bar.BarDisped()) << c.name;
        expectSamePixels(bar.Picture().bitmap()->image(), reference(bar, c), c.name);
    }
}

TEST(BarRaster, MatchedPicturesAgreeWithThePlainDrawing)
{
    const TColor red = rgbColor(255, 0, 0);
    const TColor yellow = rgbColor(255, 255, 0);
    const std::vector<Case> cases = {
        make("JAN scale 1", cbarJAN, "494612200092", [](Case&) {}),
        make("CODE-39 ratio 2.5, turned 90, red on yellow", cbarCODE39, "KORBENA-39",
             [&](Case& c) {
                 c.scale = 2;
                 c.ratio = 25;
                 c.angle = 90;
                 c.barColor = red;
                 c.backColor = yellow;
             }),
        make("NW-7 ratio 3, turned 180 and mirrored, quiet zones above and below", cbarNW7, "0012-3456",
             [](Case& c) {
                 c.scale = 3;
                 c.ratio = 30;
                 c.angle = 180;
                 c.reverse = true;
                 c.spaceUp = 4;
                 c.spaceDown = 7;
             }),
        make("CODE-128 turned 270 and mirrored, with its text line", cbarCODE128, "Korbena 128",
             [](Case& c) {
                 c.scale = 2;
                 c.angle = 270;
                 c.reverse = true;
                 c.symbolDisp = true;
             }),
        make("NW-7 with text wider than the bars", cbarNW7, "1",
             [](Case& c) {
                 c.symbolDisp = true;
                 c.fontHeight = -40;
             }),
        make("ITF with its frame", cbarITF, "123456",
             [](Case& c) {
                 c.scale = 2;
                 c.frame = 3;
             }),
        make("UPC framed with a comment", cbarUPC, "01234567890",
             [](Case& c) {
                 c.spaceUp = 16;
                 c.frame = 2;
                 c.commentUp = QStringLiteral("UPC");
             }),
    };
    expectAgreement(cases);
}

// Drawn into an existing picture: only the background rectangle is repainted, and
// with Transparent only the bars.
TEST(BarRaster, PicturesDrawnIntoAgreeWithThePlainDrawing)
{
    const TColor red = rgbColor(255, 0, 0);
    const TColor yellow = rgbColor(255, 255, 0);
    const TColor blue = rgbColor(0, 0, 200);
    const std::vector<Case> cases = {
        make("JAN without Match at (7, 5)", cbarJAN, "4901234",
             [](Case& c) {
                 c.scale = 2;
                 c.intoPicture({180, 130}, 7, 5);
             }),
        make("JAN without Match, turned 90 and mirrored, reaching out of the picture", cbarJAN,
             "494612200092",
             [](Case& c) {
                 c.scale = 2;
                 c.angle = 90;
                 c.reverse = true;
                 c.intoPicture({90, 150}, -20, 30);
             }),
        make("CODE-93 transparent, turned 270", cbarCODE93, "KORBENA",
             [&](Case& c) {
                 c.angle = 270;
                 c.transparent = true;
                 c.barColor = blue;
                 c.intoPicture({120, 160}, 3, 2);
             }),
        make("CODE-39 transparent at the far right, partly outside", cbarCODE39, "AB12",
             [&](Case& c) {
                 c.transparent = true;
                 c.barColor = red;
                 c.intoPicture({140, 90}, 60, -10);
             }),
        make("NW-7 without Match, coloured background, turned 180", cbarNW7, "31415926",
             [&](Case& c) {
                 c.scale = 2;
                 c.ratio = 25;
                 c.angle = 180;
                 c.backColor = yellow;
                 c.intoPicture({260, 140}, 4, 9);
             }),
    };
    expectAgreement(cases);
}

// The main window's symbols, the ones every printed label is made of.
TEST(BarRaster, MainWindowSymbolsAgreeWithThePlainDrawing)
{
    const std::vector<Case> cases = {
        make("JAN", cbarJAN, "490000100013", [](Case& c) { c.scale = 5; }),
        make("CODE-39", cbarCODE39, "LOT 2026/12", [](Case& c) { c.scale = 5; }),
        make("NW-7", cbarNW7, "98765.43", [](Case& c) { c.scale = 5; }),
    };
    BarImage bar;
    configureMainWindowBarImage(bar);
    for (const Case& c : cases) {
        bar.SetBarType(c.type);
        bar.SetCode(c.code);
        ASSERT_TRUE(bar.BarDisped()) << c.name;
        expectSamePixels(bar.Picture().bitmap()->image(), reference(bar, c), c.name);
    }
}

} // namespace
} // namespace korbena
