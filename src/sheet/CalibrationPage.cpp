#include "sheet/CalibrationPage.h"

#include "platform/Canvas.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PrintTarget.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace korbena {

namespace {

constexpr int kRulerMillimetres = 100;

struct Page
{
    SheetTransform transform;
    QPoint at(long double xMillimetres, long double yMillimetres) const
    {
        return transform.toDevice(SheetLength::fromMillimetres(xMillimetres),
                                  SheetLength::fromMillimetres(yMillimetres));
    }
    int pixels(long double millimetres) const { return at(millimetres, 0).x() - at(0, 0).x(); }
};

void drawRulers(QPainter& painter, const Page& page)
{
    const int mark = kCalibrationMarkMillimetres;
    for (int mm = 0; mm <= kRulerMillimetres; ++mm) {
        const long double tick = mm % 10 == 0 ? 6 : mm % 5 == 0 ? 4 : 2.5;
        // Right along the crosshair's row, and down along its column.
        painter.drawLine(page.at(mark + mm, mark), page.at(mark + mm, mark + tick));
        painter.drawLine(page.at(mark, mark + mm), page.at(mark + tick, mark + mm));
    }
    painter.drawLine(page.at(mark, mark), page.at(mark + kRulerMillimetres, mark));
    painter.drawLine(page.at(mark, mark), page.at(mark, mark + kRulerMillimetres));
    for (int mm = 10; mm <= kRulerMillimetres; mm += 10) {
        painter.drawText(page.at(mark + mm - 1.5L, mark + 10), QString::number(mm));
        painter.drawText(page.at(mark + 8, mark + mm + 1.2L), QString::number(mm));
    }
}

} // namespace

CalibrationMark calibrationMark(const DeviceMetrics& metrics)
{
    return {metrics.offsetX + kCalibrationMarkMillimetres, metrics.offsetY + kCalibrationMarkMillimetres};
}

void drawCalibrationPage(Canvas& canvas, const DeviceMetrics& metrics)
{
    Page page;
    page.transform.scaleX = SheetScale::fromDpi(metrics.printerDpiX);
    page.transform.scaleY = SheetScale::fromDpi(metrics.printerDpiY);
    QPainter& painter = canvas.painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, std::max(1, page.pixels(0.2L))));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(std::max(1, page.pixels(3)));
    painter.setFont(font);

    // The crosshair: two lines and a circle around the centre.
    const int mark = kCalibrationMarkMillimetres;
    painter.drawLine(page.at(mark - 10, mark), page.at(mark + 10, mark));
    painter.drawLine(page.at(mark, mark - 10), page.at(mark, mark + 10));
    const QPoint centre = page.at(mark, mark);
    const int radius = page.pixels(4);
    painter.drawEllipse(centre, radius, radius);
    drawRulers(painter, page);

    const CalibrationMark where = calibrationMark(metrics);
    const QStringList lines = {
        QStringLiteral("Korbena 印刷位置の補正"),
        QStringLiteral("十字の中心は、用紙の左端から %1 mm、上端から %2 mm の位置に印刷されるはずです。")
            .arg(where.fromLeft)
            .arg(where.fromTop),
        QStringLiteral(
            "定規で十字の中心を測り、ずれ（測った位置 - 上の位置、右と下が正）を mm で入力してください。"),
        QStringLiteral("目盛りは 1 mm ごと、数字は 10 mm ごとです。"),
    };
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(page.at(mark + 15, mark + 20 + 7 * static_cast<int>(i)), lines[i]);
    painter.restore();
}

QString printCalibrationPage(PrintTarget& target, const DeviceMetrics& metrics)
{
    if (!target.BeginDocument())
        return target.ErrorString();
    if (Canvas* canvas = target.canvas())
        drawCalibrationPage(*canvas, metrics);
    if (!target.EndDocument())
        return target.ErrorString();
    return {};
}

} // namespace korbena
