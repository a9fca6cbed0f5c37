#include "gui/PreviewPane.h"

#include "session/AppController.h"

#include <QPainter>

namespace korbena {

PreviewPane::PreviewPane(AppController& controller, QWidget* parent)
    : QWidget(parent), m_controller(controller)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_controller, &AppController::previewChanged, this, &PreviewPane::compositionChanged);
    connect(&m_controller, &AppController::rowsChanged, this, qOverload<>(&QWidget::update));
}

QSize PreviewPane::sizeHint() const
{
    return m_controller.previewImage().size();
}

void PreviewPane::compositionChanged()
{
    if (m_painting)
        return;
    const QSize size = m_controller.previewImage().size();
    if (size != this->size())
        setFixedSize(size);
    repaint();
}

void PreviewPane::paintEvent(QPaintEvent*)
{
    m_painting = true;
    m_controller.paintRequested();
    m_painting = false;
    QPainter painter(this);
    const QImage& image = m_controller.previewImage();
    painter.fillRect(rect(), palette().window());
    if (!image.isNull())
        painter.drawImage(0, 0, image);
}

} // namespace korbena
