#pragma once

#include <QObject>

#include <vector>

class QAction;
class QKeyEvent;
class QWidget;

namespace korbena {

// Keys go where the focus is. The window's actions given here (the preview's zoom and
// page keys) give way to an editor of `window` that has the focus: the grid, a field,
// a list or a text keeps PgUp, PgDown, Ctrl+Home and Ctrl+End for its own moves. On
// the preview, or where no editor has the focus, the actions run as before.
class EditorKeys : public QObject
{
public:
    EditorKeys(QWidget& window, std::vector<QAction*> actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editorKeepsKey(QObject* focus, const QKeyEvent& key) const;

    QWidget& m_window;
    std::vector<QAction*> m_actions;
};

} // namespace korbena
