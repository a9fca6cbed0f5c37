#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

namespace korbena {

// Kinds of panel background.
enum TDirection : int {
    bdFlat,         // ColorStart all over
    bdStretchImage, // the bitmap stretched over the panel
    bdTileImage,    // the bitmap repeated from the top left
    bdUp,           // horizontal bands, ColorStart at the top to ColorEnd at the bottom
    bdDown,         // the same, ColorEnd at the top
    bdLeft,         // vertical stripes, ColorStart at the left to ColorEnd at the right
    bdRight,        // the same, ColorEnd at the left
    bdHorzIn,       // horizontal bands, ColorStart at the edges, ColorEnd in the middle
    bdHorzOut,      // the same with the colours swapped
    bdVertIn,       // vertical stripes, ColorStart at the edges, ColorEnd in the middle
    bdVertOut,      // the same with the colours swapped
};

enum TTextEffect : int { tenone, teShadow, teRaised, teLowered, teEmbossed };

// TrUp turns the caption 90 degrees counter-clockwise (read bottom to top), TrDown 90
// degrees clockwise (read top to bottom).
enum TTextRotation : int { trNone, TrUp, TrDown };

enum TVertAlign : int { vlTop, vlCenter, VlBottom };

enum TBevelCut : int { bvNone, bvLowered, bvRaised };

// A panel whose background is a colour gradient, a flat colour or a stretched or
// tiled bitmap, with a caption drawn with a shadow, raised, lowered or embossed and
// optionally turned by a quarter; bevels and a border like a plain panel. When
// moveable, the user drags it by its body and resizes it by its edges and corners
// within its parent. It holds child widgets like any panel.
//
// The panel's own colour is the palette's Window role, the caption's colour its
// WindowText role, and the caption's font the widget's font.
class GradPan : public QWidget
{
    Q_OBJECT

public:
    // Where a point of the panel lies for dragging and resizing.
    enum class HitArea {
        Nowhere, // not moveable: the panel ignores the mouse
        Caption, // the body: dragging moves the panel
        Left,
        Right,
        Top,
        TopLeft,
        TopRight,
        Bottom,
        BottomLeft,
        BottomRight,
    };

    explicit GradPan(QWidget* parent = nullptr);

    // --- background ---
    const QImage& Bitmap() const { return m_bitmap; }
    void SetBitmap(const QImage& bitmap);
    TDirection BackGroundEffect() const { return m_direction; }
    void SetBackGroundEffect(TDirection value) { store(m_direction, value); }
    QColor ColorStart() const { return m_colorStart; }
    void SetColorStart(const QColor& value) { store(m_colorStart, value); }
    QColor ColorEnd() const { return m_colorEnd; }
    void SetColorEnd(const QColor& value) { store(m_colorEnd, value); }
    // Insets the image backgrounds by the border and bevels and fills the border.
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool value) { store(m_ctl3D, value); }

    // --- caption ---
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& value) { store(m_caption, value); }
    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter (the default).
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment value) { store(m_alignment, value); }
    QColor ColorShadow() const { return m_colorShadow; }
    void SetColorShadow(const QColor& value) { store(m_colorShadow, value); }
    TTextEffect TextEffect() const { return m_textEffect; }
    void SetTextEffect(TTextEffect value) { store(m_textEffect, value); }
    TTextRotation TextRotation() const { return m_textRotation; }
    void SetTextRotation(TTextRotation value) { store(m_textRotation, value); }
    TVertAlign VertAlign() const { return m_vertAlign; }
    void SetVertAlign(TVertAlign value) { store(m_vertAlign, value); }

    // --- bevels and border ---
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut value) { store(m_bevelInner, value); }
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut value) { store(m_bevelOuter, value); }
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value) { store(m_bevelWidth, value); }
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value) { store(m_borderWidth, value); }

    // --- moving and resizing ---
    int Marge() const { return m_marge; }
    void SetMarge(int value) { store(m_marge, value); }
    bool Moveable() const { return m_moveable; }
    void SetMoveable(bool value);
    HitArea hitTest(QPoint point) const;

signals:
    // Raised whenever the panel moves within its parent.
    void panelMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Every setter but the bitmap's stores the value and repaints.
    template <typename T, typename V> void store(T& member, const V& value)
    {
        member = value;
        update();
    }
    void paintBackground(QPainter& painter) const;
    void paintCaption(QPainter& painter) const;
    void paintBevels(QPainter& painter) const;

    QImage m_bitmap;
    TDirection m_direction = bdVertIn;
    QColor m_colorStart{0, 128, 128};
    QColor m_colorEnd{255, 255, 255};
    QColor m_colorShadow{128, 128, 128};
    bool m_ctl3D = false;
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    TTextEffect m_textEffect = teShadow;
    TTextRotation m_textRotation = trNone;
    TVertAlign m_vertAlign = vlCenter;
    TBevelCut m_bevelInner = bvNone;
    TBevelCut m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    int m_marge = 6;
    bool m_moveable = false;

    // The drag in progress: what was grabbed, where, and the panel's place then.
    HitArea m_dragArea = HitArea::Nowhere;
    QPoint m_dragStart;
    QRect m_dragGeometry;
};

} // namespace korbena
