#pragma once

#include "document/DataList.h"
#include "document/LabelStyle.h"
#include "session/Dialogs.h"
#include "session/SessionHooks.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/PageComposer.h"

#include <QImage>
#include <QObject>
#include <QString>

namespace korbena {

// The preview: the zoom, the page shown, the composed picture with its message line,
// and the paint guard that turns away a paint request arriving while a redraw runs.
// A redraw is the controller's (RedrawPreview raises BeforePreviewRedraw first and
// then has compose() draw the page); the commands here only ask for one.
class PreviewState : public QObject
{
    Q_OBJECT

public:
    PreviewState(Desktop& desktop, PageComposer& composer, const LabelStyle& style, const DataList& rows,
                 SessionHooks& hooks, QObject* parent = nullptr);

    // Composes the current page on the preview surface at the screen resolution times
    // the zoom; the page may come back corrected.
    // `rowsPastList`: rows the data file put past the list, named when nothing else is said.
    void compose(const DeviceMetrics& metrics, int startLabel, const CellOutlines& outlines,
                 const std::vector<DataRow>& rowsPastList);
    // A redraw asked for by a command: it runs whatever the paint guard says.
    void explicitRedraw();
    // A redraw for a changed setting: asked for any number of times while the user
    // interface is busy, drawn once (an explicit redraw) when it is next idle, and not
    // at all when another redraw comes first. A burst of edits draws once.
    void requestRedraw();
    bool redrawPending() const { return m_redrawPending; }
    // The redraw asked for, now, before anything uses the page counter or the composer.
    void redrawIfPending();
    // The page surface asks to be painted: a redraw unless one is running.
    void paintRequested();
    bool paintGuard() const { return m_paintGuard; }

    int zoom() const { return m_zoom; }
    void setZoom(int percent); // the slider: a change redraws
    void zoomIn();
    void zoomOut();
    // The zoom remembered from the last run, before anything is drawn.
    void restoreZoom(int percent);
    // The window's first showing: the start zoom and an explicit redraw.
    void showAtStartZoom();

    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int page) { m_currentPage = page; }
    // The page counter a print job shares with the preview: after the job it is one
    // past the last page printed.
    int& pageCounter() { return m_currentPage; }
    void previousPageCommand();
    void nextPageCommand();
    // Page 1, or the last page "→" reaches; a beep when the preview is already there.
    void firstPageCommand();
    void lastPageCommand();
    // The pages "→" steps through from page 1: at least 1, even for an empty list.
    int pageCount() const;

    const QImage& previewImage() const { return m_preview; }
    const QString& messageLine() const { return m_message; }
    void setMessage(const QString& text);

signals:
    void answered(const QString& step);
    void previewChanged();
    void zoomChanged(int percent);
    void messageChanged(const QString& text);

private:
    void RedrawPreview() { m_hooks.RedrawPreview(); }
    void goToPage(int page);
    int startLabel() const { return m_hooks.startLabel(); }

    Desktop& m_desktop;
    PageComposer& m_composer;
    const LabelStyle& m_style;
    const DataList& m_rows;
    SessionHooks& m_hooks;

    int m_currentPage = 1;
    int m_zoom = 100;
    bool m_paintGuard = true;
    bool m_redrawPending = false;
    QString m_message;
    QImage m_preview;
};

} // namespace korbena
