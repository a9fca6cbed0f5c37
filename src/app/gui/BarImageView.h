#pragma once

#include <QWidget>

namespace korbena {

class BarImage;

// Shows a BarImage's picture: stretched to the widget when the component's Stretch
// flag is on (keeping its proportions), centred when Center is on.
class BarImageView : public QWidget
{
    Q_OBJECT
public:
    explicit BarImageView(BarImage& bar, QWidget* parent = nullptr);
    ~BarImageView() override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarImage& m_bar;
};

} // namespace korbena
