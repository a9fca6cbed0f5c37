#include "controls/GradPan.h"

#include "WidgetTestSupport.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <utility>

namespace korbena {
namespace {

QColor pixel(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A panel with no bevel, a crisp black caption font and the given size.
std::unique_ptr<GradPan> plainPanel(int width, int height)
{
    auto panel = std::make_unique<GradPan>();
    panel->SetBevelOuter(bvNone);
    QFont font(QStringLiteral("DejaVu Sans"), 11);
    font.setStyleStrategy(QFont::NoAntialias);
    panel->setFont(font);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    panel->setPalette(palette);
    panel->resize(width, height);
    return panel;
}

QImage picture(GradPan& panel)
{
    return panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels that are not the background colour.
std::set<std::pair<int, int>> ink(const QImage& image, const QColor& background)
{
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixel(image, x, y) != background)
                points.emplace(x, y);
    return points;
}

TEST(GradPan, DefaultsAreTealStripesWithARaisedBevel)
{
    GradPan panel;
    panel.resize(200, 40);
    const QImage image = picture(panel);
    EXPECT_EQ(pixel(image, 1, 20), QColor(3, 129, 129));     // band 0, entry 1
    EXPECT_EQ(pixel(image, 100, 20), QColor(250, 252, 252)); // band 50, entry 98
    EXPECT_EQ(pixel(image, 198, 20), QColor(0, 128, 128));   // band 99, entry 0
    EXPECT_EQ(pixel(image, 0, 20), Qt::white);
    EXPECT_EQ(pixel(image, 199, 0), Qt::white); // the top line is drawn before the right one
    EXPECT_EQ(pixel(image, 0, 39), QColor(128, 128, 128));

    // Lowered outside, raised inside, and the border between them in the panel's colour.
    panel.SetBevelOuter(bvLowered);
    panel.SetBevelInner(bvRaised);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(1);
    panel.SetCtl3D(true);
    const QImage bevels = picture(panel);
    EXPECT_EQ(pixel(bevels, 1, 20), QColor(128, 128, 128));
    EXPECT_EQ(pixel(bevels, 2, 20), panel.palette().color(QPalette::Window));
    EXPECT_EQ(pixel(bevels, 3, 20), Qt::white);
    EXPECT_EQ(pixel(bevels, 196, 20), QColor(128, 128, 128));
}

TEST(GradPan, BandsRoundHalvesToEven)
{
    auto panel = plainPanel(10, 100);
    panel->SetBackGroundEffect(bdUp);
    panel->SetColorStart(Qt::black);
    panel->SetColorEnd(QColor(255, 0, 0));
    QImage image = picture(*panel);
    EXPECT_EQ(pixel(image, 5, 0), Qt::black);
    EXPECT_EQ(pixel(image, 5, 10).red(), 26);  // 25.5
    EXPECT_EQ(pixel(image, 5, 30).red(), 76);  // 76.5
    EXPECT_EQ(pixel(image, 5, 50).red(), 128); // 127.5
    EXPECT_EQ(pixel(image, 5, 99), QColor(252, 0, 0));

    panel->SetBackGroundEffect(bdHorzOut); // edges near ColorEnd, the middle near ColorStart
    image = picture(*panel);
    EXPECT_EQ(pixel(image, 5, 0).red(), 252);  // entry 1 of red to black
    EXPECT_EQ(pixel(image, 5, 49).red(), 3);   // entry 99
    EXPECT_EQ(pixel(image, 5, 50).red(), 5);   // entry 98
    EXPECT_EQ(pixel(image, 5, 99).red(), 255); // entry 0
}

TEST(GradPan, BitmapBackgrounds)
{
    auto panel = plainPanel(1012, 30);
    QImage tile(100, 30, QImage::Format_RGB32);
    tile.fill(Qt::green);
    for (int y = 0; y < 30; ++y)
        tile.setPixel(0, y, qRgb(255, 0, 0));
    panel->SetBitmap(tile);
    panel->SetBackGroundEffect(bdTileImage);
    QImage image = picture(*panel);
    int columns = 0;
    for (int x = 0; x < image.width(); ++x)
        columns += pixel(image, x, 29) == Qt::red;
    EXPECT_EQ(columns, 11);

    // Inset by the border and both bevels when Ctl3D is on.
    panel->SetCtl3D(true);
    panel->SetBorderWidth(2);
    panel->SetBevelWidth(1);
    image = picture(*panel);
    EXPECT_EQ(pixel(image, 4, 10), Qt::red);
    EXPECT_EQ(pixel(image, 104, 10), Qt::red);

    // The stretched bitmap stops one pixel short of the right and bottom edges.
    panel->SetCtl3D(false);
    panel->SetBackGroundEffect(bdStretchImage);
    image = picture(*panel);
    EXPECT_EQ(pixel(image, 1010, 28), Qt::green);
    EXPECT_EQ(pixel(image, 1011, 15), QColor(10, 20, 30));
    EXPECT_EQ(pixel(image, 500, 29), QColor(10, 20, 30));

    panel->SetBitmap(QImage());
    panel->SetColorStart(Qt::blue);
    EXPECT_EQ(ink(picture(*panel), Qt::blue).size(), 0u);
}

TEST(GradPan, ShadowFallsOnePixelDownRight)
{
    auto panel = plainPanel(120, 40);
    panel->SetBackGroundEffect(bdFlat);
    panel->SetColorStart(Qt::white);
    panel->SetCaption(QStringLiteral("H8"));
    panel->SetTextEffect(tenone);
    const auto text = ink(picture(*panel), Qt::white);
    ASSERT_FALSE(text.empty());

    panel->SetTextEffect(teShadow);
    panel->SetColorShadow(Qt::red);
    const QImage image = picture(*panel);
    int shadow = 0;
    for (const auto& [x, y] : text) {
        EXPECT_EQ(pixel(image, x, y), Qt::black);
        if (!text.count({x + 1, y + 1})) {
            EXPECT_EQ(pixel(image, x + 1, y + 1), Qt::red);
            ++shadow;
        }
    }
    EXPECT_GT(shadow, 0);
    EXPECT_EQ(ink(image, Qt::white).size(), text.size() + shadow);
}

TEST(GradPan, CaptionPlacementInEveryDirection)
{
    auto panel = plainPanel(90, 240);
    panel->SetBackGroundEffect(bdFlat);
    panel->SetColorStart(Qt::white);
    panel->SetTextEffect(tenone);
    panel->SetCaption(QStringLiteral("WWW"));
    const int w = 90, h = 240;
    // Turned captions are centred on the same point as level ones, half a line above
    // the middle.
    const int halfLine = QFontMetrics(panel->font()).height() / 2;
    for (const TTextRotation rotation : {trNone, TrUp, TrDown}) {
        for (const Qt::Alignment align : {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight}) {
            for (const TVertAlign vert : {vlTop, vlCenter, VlBottom}) {
                SCOPED_TRACE(testing::Message() << rotation << " " << int(align) << " " << vert);
                panel->SetTextRotation(rotation);
                panel->SetAlignment(align);
                panel->SetVertAlign(vert);
                const auto text = ink(picture(*panel), Qt::white);
                ASSERT_FALSE(text.empty());
                int left = w, right = 0, top = h, bottom = 0;
                for (const auto& [x, y] : text) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
                EXPECT_EQ(rotation == trNone, right - left > bottom - top);
                EXPECT_TRUE(align == Qt::AlignLeft    ? left < w / 3
                            : align == Qt::AlignRight ? right > w * 2 / 3
                                                      : std::abs((left + right) / 2 - w / 2) <= 4);
                EXPECT_TRUE(vert == vlTop      ? top < h / 3
                            : vert == VlBottom ? bottom > h * 2 / 3
                                               : std::abs((top + bottom) / 2 - h / 2) <=
                                                     (rotation == trNone ? 4 : halfLine + 4));
            }
        }
    }
}

TEST(GradPan, MoveableHitTestDragAndResize)
{
    QWidget parent;
    parent.resize(400, 300);
    auto* panel = new GradPan(&parent);
    panel->setGeometry(50, 50, 100, 50);
    parent.show(); // a hidden panel is told of its moves only when shown
    EXPECT_EQ(panel->hitTest({3, 3}), GradPan::HitArea::Nowhere);
    panel->SetMoveable(true);
    using A = GradPan::HitArea;
    EXPECT_EQ(panel->hitTest({3, 3}), A::TopLeft);
    EXPECT_EQ(panel->hitTest({97, 47}), A::BottomRight);
    EXPECT_EQ(panel->hitTest({94, 25}), A::Caption);

    const auto drag = [&](QPoint from, QPoint by) {
        const QPoint global = panel->mapToGlobal(from);
        QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(panel, &press);
        QMouseEvent move(QEvent::MouseMove, from + by, global + by, Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(panel, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, from + by, global + by, Qt::LeftButton, {}, {});
        QCoreApplication::sendEvent(panel, &release);
    };
    QSignalSpy moved(panel, &GradPan::panelMoved);
    drag({50, 25}, {20, 10});
    EXPECT_EQ(panel->geometry(), QRect(70, 60, 100, 50));
    EXPECT_EQ(moved.count(), 1);
    drag({97, 47}, {10, 5});
    EXPECT_EQ(panel->geometry(), QRect(70, 60, 110, 55));
    drag({2, 2}, {-10, 200}); // never smaller than its two resize zones
    EXPECT_EQ(panel->geometry(), QRect(60, 102, 120, 13));
}

TEST(GradPan, PictureForReview)
{
    GradPan panel;
    panel.resize(360, 48);
    panel.SetCaption(QStringLiteral("PREVIEW プレビュー"));
    QFont font = panel.font();
    font.setPointSize(16);
    font.setBold(true);
    panel.setFont(font);
    EXPECT_TRUE(panel.grab().save(test::artifactPath(QStringLiteral("gradpan.png"))));
}

} // namespace
} // namespace korbena
