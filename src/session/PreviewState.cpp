// The preview's zoom, page navigation and paint guard.
#include "session/PreviewState.h"

#include "document/DataFile.h"
#include "sheet/Preview.h"

namespace korbena {

namespace {

// Clears the paint guard while an explicit redraw runs and gives it back after.
class GuardCleared
{
public:
    explicit GuardCleared(bool& guard) : m_guard(guard), m_saved(guard) { m_guard = false; }
    ~GuardCleared() { m_guard = m_saved; }
    GuardCleared(const GuardCleared&) = delete;
    GuardCleared& operator=(const GuardCleared&) = delete;

private:
    bool& m_guard;
    bool m_saved;
};

} // namespace

PreviewState::PreviewState(Desktop& desktop, PageComposer& composer, const LabelStyle& style,
                           const DataList& rows, SessionHooks& hooks, QObject* parent)
    : QObject(parent), m_desktop(desktop), m_composer(composer), m_style(style), m_rows(rows), m_hooks(hooks)
{
}

void PreviewState::setMessage(const QString& text)
{
    if (text == m_message)
        return;
    m_message = text;
    emit messageChanged(m_message);
}

void PreviewState::compose(const DeviceMetrics& metrics, int startLabel, const CellOutlines& outlines,
                           const std::vector<DataRow>& rowsPastList)
{
    m_redrawPending = false; // whatever was asked for is drawn now
    PreviewPage page =
        m_composer.composePreview(m_style, m_rows, metrics, m_currentPage, m_zoom, startLabel, outlines);
    m_currentPage = page.result.page;
    m_preview = std::move(page.image);
    // A label image that could not be written is said on the message line too, never hidden.
    QString message = page.result.message.isEmpty() ? page.result.imageError : page.result.message;
    const std::vector<DataRow> unshown = unshownRows(rowsPastList, m_rows);
    if (message.isEmpty() && !unshown.empty())
        message = unshownRowMessage(unshown.front(), m_rows);
    setMessage(message);
    emit answered(QStringLiteral("RedrawPreview"));
    emit previewChanged();
}

void PreviewState::explicitRedraw()
{
    GuardCleared cleared(m_paintGuard);
    RedrawPreview();
}

void PreviewState::requestRedraw()
{
    if (m_redrawPending)
        return;
    m_redrawPending = true;
    QMetaObject::invokeMethod(this, &PreviewState::redrawIfPending, Qt::QueuedConnection);
}

void PreviewState::redrawIfPending()
{
    if (m_redrawPending)
        explicitRedraw();
}

void PreviewState::paintRequested()
{
    if (m_paintGuard)
        RedrawPreview();
}

void PreviewState::setZoom(int percent)
{
    const int zoom = clampZoom(percent);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    emit zoomChanged(m_zoom);
    explicitRedraw();
}

void PreviewState::zoomIn()
{
    setZoom(m_zoom + kZoomStepPercent);
    explicitRedraw();
}

void PreviewState::zoomOut()
{
    setZoom(m_zoom - kZoomStepPercent);
    explicitRedraw();
}

void PreviewState::restoreZoom(int percent)
{
    m_zoom = clampZoom(percent);
    emit zoomChanged(m_zoom);
}

void PreviewState::showAtStartZoom()
{
    GuardCleared cleared(m_paintGuard);
    setZoom(kStartZoomPercent);
    RedrawPreview();
}

void PreviewState::previousPageCommand()
{
    if (const auto page = previousPage(m_currentPage)) {
        m_currentPage = *page;
        explicitRedraw();
    } else {
        m_desktop.beep();
    }
}

void PreviewState::nextPageCommand()
{
    if (const auto page = nextPage(m_rows, cellsPerPage(m_style), m_currentPage, startLabel())) {
        m_currentPage = *page;
        explicitRedraw();
    } else {
        m_desktop.beep();
    }
}

void PreviewState::firstPageCommand()
{
    goToPage(1);
}

void PreviewState::lastPageCommand()
{
    goToPage(pageCount());
}

void PreviewState::goToPage(int page)
{
    if (page == m_currentPage) {
        m_desktop.beep();
        return;
    }
    m_currentPage = page;
    explicitRedraw();
}

int PreviewState::pageCount() const
{
    // The pages end where "→" stops: the first page whose first row has no number. Every
    // page holds a row of the list, so the list's length bounds the walk even for a
    // sheet without cells.
    const int cells = cellsPerPage(m_style);
    int last = 1;
    while (last <= m_rows.RowCount()) {
        const auto next = nextPage(m_rows, cells, last, startLabel());
        if (!next)
            break;
        last = *next;
    }
    return last;
}

} // namespace korbena
