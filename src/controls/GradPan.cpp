#include "controls/GradPan.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace korbena {

namespace {

constexpr int kSteps = 100;
const QColor kHighlight(255, 255, 255);
const QColor kBevelShadow(128, 128, 128);

using Gradient = std::array<QColor, kSteps>;

// a + (b - a) x step / 100, rounded to the nearest integer with halves to even,
// in exact integer arithmetic.
int gradientChannel(int a, int b, int step)
{
    const int n = (b - a) * step;
    int q = n / kSteps;
    int r = n % kSteps;
    if (r < 0) {
        --q;
        r += kSteps;
    }
    if (r > kSteps / 2 || (r == kSteps / 2 && (q & 1) != 0))
        ++q;
    return a + q;
}

// 100 colours from `from` towards `to`; the last is one step short of `to`.
Gradient gradient(const QColor& from, const QColor& to)
{
    Gradient table;
    for (int i = 0; i < kSteps; ++i)
        table[i] =
            QColor(gradientChannel(from.red(), to.red(), i), gradientChannel(from.green(), to.green(), i),
                   gradientChannel(from.blue(), to.blue(), i));
    return table;
}

// a x b / c rounded to the nearest integer, for the non-negative band edges.
int mulDiv(int a, int b, int c)
{
    return static_cast<int>((static_cast<long long>(a) * b + c / 2) / c);
}

// Band k of 100 across `size` pixels, in table entry `entry(k)`.
template <typename Entry>
void fillBands(QPainter& painter, const Gradient& table, bool stripes, int width, int height, Entry entry)
{
    const int size = stripes ? width : height;
    for (int k = 0; k < kSteps; ++k) {
        const int from = mulDiv(k, size, kSteps);
        const int to = mulDiv(k + 1, size, kSteps);
        if (to <= from)
            continue;
        const QRect band = stripes ? QRect(from, 0, to - from, height) : QRect(0, from, width, to - from);
        painter.fillRect(band, table[entry(k)]);
    }
}

// The "in" gradients: edges near the first colour, the middle near the second.
int inwardEntry(int k)
{
    return k < kSteps / 2 ? 2 * k + 1 : 198 - 2 * k;
}

int tableEntry(int k)
{
    return k;
}

// One-pixel lines, end points excluded.
void horizontalLine(QPainter& painter, int x0, int x1, int y, const QColor& color)
{
    if (x1 > x0)
        painter.fillRect(QRect(x0, y, x1 - x0, 1), color);
}

void verticalLine(QPainter& painter, int x, int y0, int y1, const QColor& color)
{
    if (y1 > y0)
        painter.fillRect(QRect(x, y0, 1, y1 - y0), color);
}

// The outline of (left, top) .. (right, bottom), right and bottom excluded.
void frameRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& color)
{
    if (right <= left || bottom <= top)
        return;
    horizontalLine(painter, left, right, top, color);
    horizontalLine(painter, left, right, bottom - 1, color);
    verticalLine(painter, left, top, bottom, color);
    verticalLine(painter, right - 1, top, bottom, color);
}

QImage defaultBitmap()
{
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    frameRect(painter, 0, 0, 49, 49, Qt::black);
    return image;
}

} // namespace

GradPan::GradPan(QWidget* parent) : QWidget(parent), m_bitmap(defaultBitmap())
{
    // The whole client area is painted on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradPan::SetBitmap(const QImage& bitmap)
{
    m_bitmap = bitmap;
    if (m_direction == bdStretchImage || m_direction == bdTileImage)
        update();
}

void GradPan::SetMoveable(bool value)
{
    m_moveable = value;
    setMouseTracking(value); // the cursor shows what a press would grab
    if (!value)
        unsetCursor();
    update();
}

// --- painting ---

void GradPan::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    // What the plain panel would show where the background leaves a gap (the stretched
    // bitmap stops one pixel short of the right and bottom edges).
    painter.fillRect(rect(), palette().color(QPalette::Window));
    paintBackground(painter);
    paintCaption(painter);
    paintBevels(painter);
}

void GradPan::paintBackground(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    switch (m_direction) {
    case bdFlat:
        painter.fillRect(rect(), m_colorStart);
        return;
    case bdUp:
        fillBands(painter, gradient(m_colorStart, m_colorEnd), false, w, h, tableEntry);
        return;
    case bdDown:
        fillBands(painter, gradient(m_colorEnd, m_colorStart), false, w, h, tableEntry);
        return;
    case bdLeft:
        fillBands(painter, gradient(m_colorStart, m_colorEnd), true, w, h, tableEntry);
        return;
    case bdRight:
        fillBands(painter, gradient(m_colorEnd, m_colorStart), true, w, h, tableEntry);
        return;
    case bdHorzIn:
        fillBands(painter, gradient(m_colorStart, m_colorEnd), false, w, h, inwardEntry);
        return;
    case bdHorzOut:
        fillBands(painter, gradient(m_colorEnd, m_colorStart), false, w, h, inwardEntry);
        return;
    case bdVertIn:
        fillBands(painter, gradient(m_colorStart, m_colorEnd), true, w, h, inwardEntry);
        return;
    case bdVertOut:
        fillBands(painter, gradient(m_colorEnd, m_colorStart), true, w, h, inwardEntry);
        return;
    case bdStretchImage:
    case bdTileImage:
        break;
    }

    if (m_bitmap.isNull()) {
        painter.fillRect(rect(), m_colorStart);
        return;
    }
    const int m = m_ctl3D ? m_borderWidth + 2 * m_bevelWidth : 0;
    if (m_direction == bdStretchImage) {
        const QRect target(QPoint(m, m), QPoint(w - m - 2, h - m - 2)); // right and bottom excluded
        if (target.isValid())
            painter.drawImage(target, m_bitmap);
        return;
    }
    const int bw = m_bitmap.width();
    const int bh = m_bitmap.height();
    const int columns = (w - 2 * m) / bw + 1;
    const int rows = (h - 2 * m) / bh + 1;
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i)
            painter.drawImage(QPoint(m + bw * i, m + bh * j), m_bitmap);
    }
}

void GradPan::paintCaption(QPainter& painter) const
{
    if (m_caption.isEmpty())
        return;
    const int w = width();
    const int h = height();
    const QFontMetrics metrics(font());
    const int e = m_borderWidth + m_bevelWidth;
    // The height of a line of text in this font (the cell of "^_").
    const int th = metrics.height();

    enum class Anchor { Left, Right, Centre };
    int x = 0;
    int y = 0;
    Anchor anchor = Anchor::Left;
    int angle = 0;
    const bool left = m_alignment.testFlag(Qt::AlignLeft);
    const bool right = m_alignment.testFlag(Qt::AlignRight);
    switch (m_textRotation) {
    case trNone:
        x = left ? e + 2 : right ? w - e - 2 : w / 2;
        anchor = left ? Anchor::Left : right ? Anchor::Right : Anchor::Centre;
        y = m_vertAlign == vlTop ? e + 2 : m_vertAlign == vlCenter ? h / 2 - th / 2 : h - e - th - 1;
        break;
    case TrUp:
        angle = -90;
        x = left ? e + 2 : right ? w - e - th - 1 : w / 2 - th / 2;
        y = m_vertAlign == vlTop ? e + 2 : m_vertAlign == vlCenter ? h / 2 - th / 2 : h - e - 1;
        anchor = m_vertAlign == vlTop      ? Anchor::Right
                 : m_vertAlign == vlCenter ? Anchor::Centre
                                           : Anchor::Left;
        break;
    case TrDown:
        angle = 90;
        x = left ? th + e + 1 : right ? w - e - 2 : th / 2 + w / 2;
        y = m_vertAlign == vlTop ? e + 1 : m_vertAlign == vlCenter ? h / 2 - th / 2 : h - e - 2;
        anchor = m_vertAlign == vlTop      ? Anchor::Left
                 : m_vertAlign == vlCenter ? Anchor::Centre
                                           : Anchor::Right;
        break;
    }

    // (x, y) is the top of the text cell at its start, its end or its middle, in the
    // text's own direction.
    const int advance = metrics.horizontalAdvance(m_caption);
    const int start = anchor == Anchor::Left ? 0 : anchor == Anchor::Right ? -advance : -(advance / 2);
    const auto drawAt = [&](int px, int py, const QColor& color) {
        painter.save();
        painter.translate(px, py);
        painter.rotate(angle);
        painter.setPen(color);
        painter.drawText(QPoint(start, metrics.ascent()), m_caption);
        painter.restore();
    };

    const QColor black(0, 0, 0);
    std::vector<std::pair<QPoint, QColor>> passes;
    switch (m_textEffect) {
    case tenone:
        break;
    case teShadow:
        passes = {{{1, 1}, m_colorShadow}};
        break;
    case teRaised:
        passes = {{{-1, 0}, m_colorShadow}, {{0, -1}, m_colorShadow}, {{1, 0}, black}, {{0, 1}, black}};
        break;
    case teLowered:
        passes = {{{1, 0}, m_colorShadow}, {{0, 1}, m_colorShadow}, {{-1, 0}, black}, {{0, -1}, black}};
        break;
    case teEmbossed:
        passes = {{{-1, 0}, m_colorShadow},
                  {{1, 0}, m_colorShadow},
                  {{0, -1}, m_colorShadow},
                  {{0, 1}, m_colorShadow}};
        break;
    }
    for (const auto& [offset, color] : passes)
        drawAt(x + offset.x(), y + offset.y(), color);
    drawAt(x, y, palette().color(QPalette::WindowText));
}

void GradPan::paintBevels(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const auto colours = [](TBevelCut cut) {
        return cut == bvRaised ? std::pair(kHighlight, kBevelShadow) : std::pair(kBevelShadow, kHighlight);
    };

    if (m_bevelOuter != bvNone) {
        const auto [topLeft, bottomRight] = colours(m_bevelOuter);
        for (int i = 0; i < m_bevelWidth; ++i) {
            horizontalLine(painter, i, w, i, topLeft);
            verticalLine(painter, i, i, h, topLeft);
            horizontalLine(painter, i, w - i, h - i - 1, bottomRight);
            verticalLine(painter, w - i - 1, i + 1, h - i, bottomRight);
        }
    }
    if (m_bevelInner != bvNone) {
        const auto [topLeft, bottomRight] = colours(m_bevelInner);
        const int o = (m_bevelOuter != bvNone ? m_bevelWidth : 1) + m_borderWidth;
        for (int k = 0; k < m_bevelWidth; ++k) {
            horizontalLine(painter, o + k, w - o - k, o + k, topLeft);
            verticalLine(painter, o + k, o + k, h - o - k, topLeft);
            horizontalLine(painter, o + k, w - o - k, h - o - k - 1, bottomRight);
            verticalLine(painter, w - o - k - 1, o + k + 1, h - o, bottomRight);
        }
        if (m_ctl3D) {
            const int a = m_bevelOuter != bvNone ? m_bevelWidth - 1 : 0;
            const QColor color = palette().color(QPalette::Window);
            for (int b = 1; b <= m_borderWidth; ++b)
                frameRect(painter, a + b, a + b, w - b - a, h - b - a, color);
        }
    }
}

// --- moving and resizing ---

GradPan::HitArea GradPan::hitTest(QPoint point) const
{
    if (!m_moveable)
        return HitArea::Nowhere;
    const int px = point.x();
    const int py = point.y();
    const int w = width();
    const int h = height();
    const int m = m_marge;
    if (px < m && py < m)
        return HitArea::TopLeft;
    if (px < m && h - py < m)
        return HitArea::BottomLeft;
    if (px < m)
        return HitArea::Left;
    if (w - px < m && py < m)
        return HitArea::TopRight;
    if (w - px < m && h - py < m)
        return HitArea::BottomRight;
    if (w - px < m)
        return HitArea::Right;
    if (py < m)
        return HitArea::Top;
    if (h - py < m)
        return HitArea::Bottom;
    return HitArea::Caption;
}

void GradPan::moveEvent(QMoveEvent* event)
{
    emit panelMoved();
    QWidget::moveEvent(event);
}

namespace {

Qt::CursorShape cursorFor(GradPan::HitArea area)
{
    using A = GradPan::HitArea;
    switch (area) {
    case A::Left:
    case A::Right:
        return Qt::SizeHorCursor;
    case A::Top:
    case A::Bottom:
        return Qt::SizeVerCursor;
    case A::TopLeft:
    case A::BottomRight:
        return Qt::SizeFDiagCursor;
    case A::TopRight:
    case A::BottomLeft:
        return Qt::SizeBDiagCursor;
    case A::Caption:
    case A::Nowhere:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

// A panel that is not moveable swallows presses on its body, as a window answering
// "nowhere" does; its children still get their own.
void GradPan::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_dragArea = hitTest(event->position().toPoint());
    m_dragStart = event->globalPosition().toPoint();
    m_dragGeometry = geometry();
}

void GradPan::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_moveable)
        return;
    if (!(event->buttons() & Qt::LeftButton) || m_dragArea == HitArea::Nowhere) {
        setCursor(cursorFor(hitTest(event->position().toPoint())));
        return;
    }
    using A = HitArea;
    const QPoint delta = event->globalPosition().toPoint() - m_dragStart;
    if (m_dragArea == A::Caption) {
        move(m_dragGeometry.topLeft() + delta);
        return;
    }
    // Keep enough of the panel to grab it again.
    const int least = 2 * m_marge + 1;
    QRect r = m_dragGeometry;
    if (m_dragArea == A::Left || m_dragArea == A::TopLeft || m_dragArea == A::BottomLeft)
        r.setLeft(std::min(r.left() + delta.x(), r.right() + 1 - least));
    if (m_dragArea == A::Right || m_dragArea == A::TopRight || m_dragArea == A::BottomRight)
        r.setRight(std::max(r.right() + delta.x(), r.left() + least - 1));
    if (m_dragArea == A::Top || m_dragArea == A::TopLeft || m_dragArea == A::TopRight)
        r.setTop(std::min(r.top() + delta.y(), r.bottom() + 1 - least));
    if (m_dragArea == A::Bottom || m_dragArea == A::BottomLeft || m_dragArea == A::BottomRight)
        r.setBottom(std::max(r.bottom() + delta.y(), r.top() + least - 1));
    setGeometry(r);
}

void GradPan::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_dragArea = HitArea::Nowhere;
}

} // namespace korbena
