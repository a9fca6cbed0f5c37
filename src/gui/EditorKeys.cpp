#include "gui/EditorKeys.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace korbena {

EditorKeys::EditorKeys(QWidget& window, std::vector<QAction*> actions)
    : QObject(&window), m_window(window), m_actions(std::move(actions))
{
    // The shortcut overrides of every widget pass here first.
    qApp->installEventFilter(this);
}

bool EditorKeys::editorKeepsKey(QObject* focus, const QKeyEvent& key) const
{
    auto* widget = qobject_cast<QWidget*>(focus);
    if (!widget || widget->window() != &m_window)
        return false;
    const bool editor = qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                        qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QComboBox*>(widget) ||
                        qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget);
    if (!editor)
        return false;
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : m_actions) {
        if (action && action->shortcut() == pressed)
            return true;
    }
    return false;
}

bool EditorKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        editorKeepsKey(watched, *static_cast<QKeyEvent*>(event))) {
        event->accept(); // delivered to the editor as a key press, not run as the shortcut
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korbena
