#pragma once

#include <QWidget>

namespace korbena {

class AppController;

// The sheet as the controller composed it. A paint request is handed to the
// controller first, which redraws unless an explicit redraw is already running; a
// new composition is painted at once, while the paint guard still holds.
class PreviewPane : public QWidget
{
public:
    explicit PreviewPane(AppController& controller, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void compositionChanged();

    AppController& m_controller;
    bool m_painting = false;
};

} // namespace korbena
