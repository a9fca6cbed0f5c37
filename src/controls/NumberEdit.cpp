#include "controls/NumberEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>
#include <optional>

namespace korbena {

namespace {

// The character a key event types into the field, or 0 for a key the edit control
// handles itself (caret moves, Delete, shortcuts).
char16_t typedKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return kKeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() != 1 || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F)
        return 0;
    return text.front().unicode();
}

} // namespace

NumberEdit::NumberEdit(QWidget* parent) : NumberEdit(NumberFormat{}, parent) {}

NumberEdit::NumberEdit(const NumberFormat& format, QWidget* parent) : QLineEdit(parent), m_field(format)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Numbers are typed with the input method closed, and text is not dropped in:
    // every character arrives as a key the field filters.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);

    // Listeners see the field's text on screen when it tells them of a change.
    m_field.OnChange = [this](NumberField&) {
        showField();
        emit changed();
    };
    m_field.OnExit = [this](NumberField&) {
        showField();
        emit exited();
    };
    // Edits the line edit makes on its own (Delete, cut, undo, setText) reach the field.
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::takeEditedText);
    showField();
}

QString NumberEdit::FormattedText()
{
    return m_field.FormattedText();
}

void NumberEdit::SetOnArrowKeyChange(NumberField::TArrowKeyEvent handler)
{
    m_field.OnArrowKeyChange = std::move(handler);
}

void NumberEdit::paste()
{
    pasteFrom(QClipboard::Clipboard);
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        m_field.ArrowKey(event->key() == Qt::Key_Up ? adUp : adDown);
        showField();
        // A field that steps keeps the key: it must not scroll the page it sits on as well.
        if (m_field.AllowKeys() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            event->accept();
        else
            QLineEdit::keyPressEvent(event);
        return;
    }
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const char16_t key = typedKey(*event);
    if (shortcut || key == 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    typeKey(key);
    if (key == kKeyEnter)
        QLineEdit::keyPressEvent(event); // returnPressed and the dialog's default button
    else
        event->accept();
}

void NumberEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Should an input method still deliver text, it goes through the key filter.
    if (!isReadOnly()) {
        for (const QChar c : event->commitString())
            typeKey(c.unicode());
    }
    event->accept();
}

// Entering and leaving are moves of the focus within the window: the focus coming back
// with the window, or returning from a popup menu, is not entering the field again.
void NumberEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_entered)
        return;
    m_entered = true;
    m_field.Enter(m_autoSelect);
    showField();
}

void NumberEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    m_entered = false;
    const QString error = m_field.Leave();
    showField();
    report(error);
    m_reported.clear(); // the field now shows the number it holds
}

void NumberEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection on X11: through the filter as well.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly()) {
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            pasteFrom(QClipboard::Selection);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumberEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // The menu's paste item is the one wired to the line edit's own paste.
    for (QAction* action : menu->actions()) {
        if (disconnect(action, &QAction::triggered, this, &QLineEdit::paste))
            connect(action, &QAction::triggered, this, &NumberEdit::paste);
    }
    menu->exec(event->globalPos());
}

void NumberEdit::typeKey(char16_t key)
{
    syncSelection();
    const QString error = m_field.KeyPress(key);
    showField(); // the text said to be wrong is on screen when it is said
    report(error);
}

void NumberEdit::pasteFrom(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    std::optional<QString> text;
    if (data && data->hasText())
        text = data->text();
    syncSelection();
    const QString error = m_field.Paste(text);
    showField();
    report(error);
}

void NumberEdit::takeEditedText(const QString& text)
{
    if (m_showing)
        return;
    const QString error = m_field.EditText(text, cursorPosition());
    showField();
    report(error);
}

void NumberEdit::syncSelection()
{
    if (hasSelectedText())
        m_field.SetSelection(selectionStart(), selectionLength());
    else
        m_field.SetSelection(cursorPosition());
}

void NumberEdit::showField()
{
    m_showing = true;
    if (text() != m_field.Text())
        setText(m_field.Text());
    if (m_field.SelLength() > 0)
        setSelection(static_cast<int>(m_field.SelStart()), static_cast<int>(m_field.SelLength()));
    else
        setCursorPosition(static_cast<int>(m_field.SelStart()));
    m_showing = false;
}

void NumberEdit::report(const QString& error)
{
    if (error.isEmpty()) {
        m_reported.clear();
        return;
    }
    // Leaving the field, or a key that changes nothing, reads the same slip again: it
    // was said once already.
    if (error == m_reported)
        return;
    m_reported = error;
    emit conversionError(error);
}

} // namespace korbena
