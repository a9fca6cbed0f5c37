#include "app/gui/BarImageView.h"

#include "symbol/BarImage.h"

#include <QPainter>

namespace korbena {

BarImageView::BarImageView(BarImage& bar, QWidget* parent) : QWidget(parent), m_bar(bar)
{
    m_bar.pictureChanged = [this] {
        updateGeometry();
        update();
    };
    setMinimumSize(120, 40);
}

BarImageView::~BarImageView()
{
    m_bar.pictureChanged = nullptr;
}

QSize BarImageView::sizeHint() const
{
    return {m_bar.Width(), m_bar.Height()};
}

void BarImageView::paintEvent(QPaintEvent* /*event*/)
{
    const Bitmap* bitmap = m_bar.Picture().bitmap();
    if (bitmap == nullptr || bitmap->Empty() || !m_bar.Visible())
        return;
    const QImage& image = bitmap->image();
    QSize size = image.size();
    if (m_bar.Stretch())
        size = size.scaled(this->size(), Qt::KeepAspectRatio);
    QPoint origin(0, 0);
    if (m_bar.Center())
        origin = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
    QPainter painter(this);
    // The view may shrink or grow the symbol by any factor: smooth it so bars keep even widths on screen.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(origin, size), image);
}

} // namespace korbena
