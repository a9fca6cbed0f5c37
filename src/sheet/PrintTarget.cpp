#include "sheet/PrintTarget.h"

#include "platform/AtomicFile.h"
#include "platform/Canvas.h"
#include "sheet/PaperList.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace korbena {

PrintTarget::~PrintTarget() = default;

PagedDeviceTarget::PagedDeviceTarget() = default;

PagedDeviceTarget::PagedDeviceTarget(QPagedPaintDevice* device) : m_device(device) {}

PagedDeviceTarget::~PagedDeviceTarget()
{
    if (m_canvas) {
        m_canvas.reset();
        abandonDocument();
    }
}

bool PagedDeviceTarget::SetPaper(int paperCode, PaperOrientation orientation)
{
    if (!m_device || m_canvas)
        return false;
    QPageSize size = PaperPageSize(paperCode);
    const bool listed = size.isValid();
    if (!listed)
        size = defaultPageSize();
    if (!m_device->setPageSize(size))
        return false;
    m_device->setPageOrientation(orientation == PaperOrientation::Portrait ? QPageLayout::Portrait
                                                                           : QPageLayout::Landscape);
    m_paperCode = listed ? paperCode : 0;
    const QSizeF points = m_device->pageLayout().pageSize().size(QPageSize::Point);
    m_paperWidthPt = points.width();
    m_paperHeightPt = points.height();
    return true;
}

int PagedDeviceTarget::PaperCode() const
{
    if (!m_device)
        return 0;
    const QPageSize size = m_device->pageLayout().pageSize();
    const QSizeF points = size.size(QPageSize::Point);
    if (m_paperCode != 0 && qFuzzyCompare(points.width(), m_paperWidthPt) &&
        qFuzzyCompare(points.height(), m_paperHeightPt))
        return m_paperCode;
    return size.windowsId();
}

PaperOrientation PagedDeviceTarget::Orientation() const
{
    if (m_device && m_device->pageLayout().orientation() == QPageLayout::Landscape)
        return PaperOrientation::Landscape;
    return PaperOrientation::Portrait;
}

PrinterPage PagedDeviceTarget::Page() const
{
    PrinterPage page;
    if (!m_device)
        return page;
    page.dpiX = m_device->logicalDpiX();
    page.dpiY = m_device->logicalDpiY();
    const QPageLayout layout = m_device->pageLayout();
    // The layout is in points; both axes of a paged device share one resolution.
    const QRect full = layout.fullRectPixels(page.dpiX);
    const QRect paint = layout.paintRectPixels(page.dpiX);
    page.physicalWidth = full.width();
    page.physicalHeight = full.height();
    page.physicalOffsetX = paint.left();
    page.physicalOffsetY = paint.top();
    page.printableWidth = paint.width();
    page.printableHeight = paint.height();
    return page;
}

bool PagedDeviceTarget::BeginDocument()
{
    if (!m_device) {
        m_error = QStringLiteral("印刷先がありません");
        return false;
    }
    if (m_canvas)
        return true;
    m_error.clear();
    if (!prepareDocument())
        return false;
    auto canvas = std::make_unique<Canvas>(m_device);
    if (!canvas->isActive()) {
        canvas.reset();
        abandonDocument();
        if (m_error.isEmpty())
            m_error = QStringLiteral("印刷を開始できません");
        return false;
    }
    // A barcode whose edges went through JPEG would read wrongly: images enter the
    // document losslessly.
    canvas->painter().setRenderHint(QPainter::LosslessImageRendering, true);
    m_canvas = std::move(canvas);
    return true;
}

bool PagedDeviceTarget::NewPage()
{
    if (!m_canvas)
        return false;
    if (!m_device->newPage()) {
        m_error = QStringLiteral("新しいページを始められません");
        return false;
    }
    return true;
}

bool PagedDeviceTarget::EndDocument()
{
    if (!m_canvas)
        return false;
    QPainter& painter = m_canvas->painter();
    const bool ended = painter.end();
    m_canvas.reset();
    if (!ended) {
        abandonDocument();
        if (m_error.isEmpty())
            m_error = QStringLiteral("印刷を終了できません");
        return false;
    }
    return finishDocument();
}

bool PagedDeviceTarget::IsPrinting() const
{
    return m_canvas != nullptr;
}

Canvas* PagedDeviceTarget::canvas()
{
    return m_canvas.get();
}

QPaintDevice* PagedDeviceTarget::device()
{
    return m_device;
}

QString PagedDeviceTarget::ErrorString() const
{
    return m_error;
}

QPageSize PagedDeviceTarget::defaultPageSize() const
{
    return QPageSize(QPageSize::A4);
}

struct PdfFileTarget::Impl
{
    explicit Impl(const QString& path) : file(path), writer(file.device()) {}
    AtomicFile file;
    QPdfWriter writer;
};

PdfFileTarget::PdfFileTarget(QString path, int dpi)
    : m_path(std::move(path)), m_impl(std::make_unique<Impl>(m_path))
{
    m_impl->writer.setResolution(dpi);
    m_impl->writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    m_impl->writer.setPageSize(defaultPageSize());
    m_impl->writer.setCreator(QStringLiteral("Korbena"));
    setDevice(&m_impl->writer);
}

PdfFileTarget::~PdfFileTarget()
{
    // A document given up half way never replaces the file: the writing is cancelled
    // first, then the painter ends while the writer and its file still exist.
    if (IsPrinting()) {
        m_impl->file.discard();
        EndDocument();
    }
}

bool PdfFileTarget::prepareDocument()
{
    m_impl->file.discard();
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()) || !m_impl->file.open()) {
        setErrorString(QStringLiteral("%1: %2").arg(m_impl->file.errorString(), m_path));
        return false;
    }
    return true;
}

bool PdfFileTarget::finishDocument()
{
    if (!m_impl->file.commit()) {
        setErrorString(QStringLiteral("%1: %2").arg(m_impl->file.errorString(), m_path));
        return false;
    }
    return true;
}

void PdfFileTarget::abandonDocument()
{
    m_impl->file.discard();
}

} // namespace korbena
