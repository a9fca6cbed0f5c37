#pragma once

#include "document/NumberField.h"

#include <QClipboard>
#include <QLineEdit>

namespace korbena {

// A line edit for numbers over a NumberField: the field decides which keys pass, how
// the sign is edited, what a paste inserts, how the arrow keys step the value and how
// the text is regrouped and formatted; this widget forwards the keys, the paste, the
// edit control's own edits and the focus changes to it and shows its text and caret.
//
// Settings are read through field() and changed through the setters here, which show
// the field's new text at once.
class NumberEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(double value READ doubleValue WRITE setDoubleValue NOTIFY changed USER true)

public:
    explicit NumberEdit(QWidget* parent = nullptr);
    explicit NumberEdit(const NumberFormat& format, QWidget* parent = nullptr);

    const NumberField& field() const { return m_field; }

    // --- the value ---
    Extended Value() const { return m_field.Value(); }
    void SetValue(Extended value) { set(&NumberField::SetValue, value); }
    double doubleValue() const { return static_cast<double>(m_field.Value()); }
    void setDoubleValue(double value) { SetValue(value); }
    qint32 AsInteger() const { return m_field.AsInteger(); }
    void SetAsInteger(qint32 value) { set(&NumberField::SetAsInteger, value); }
    qint64 AsInt64() const { return m_field.AsInt64(); }
    void SetAsInt64(qint64 value) { set(&NumberField::SetAsInt64, value); }
    qint32 IntValue() const { return m_field.IntValue(); }
    QString AsText() const { return m_field.AsText(); }
    QString FormattedText();
    // Whether a key was typed between entering and leaving the field the last time.
    bool Modified() const { return m_field.Modified(); }

    // --- settings ---
    void SetComma(bool value) { set(&NumberField::SetComma, value); }
    void SetFigure(int value) { set(&NumberField::SetFigure, value); }
    void SetFixed(bool value) { set(&NumberField::SetFixed, value); }
    void SetLimit(bool value) { set(&NumberField::SetLimit, value); }
    void SetLimitOptions(TLimitOptions value) { set(&NumberField::SetLimitOptions, value); }
    void SetMax(Extended value) { set(&NumberField::SetMax, value); }
    void SetMin(Extended value) { set(&NumberField::SetMin, value); }
    void SetNumberType(TNumberType value) { set(&NumberField::SetNumberType, value); }
    void SetValidMinus(bool value) { set(&NumberField::SetValidMinus, value); }
    void SetZeroVisible(bool value) { set(&NumberField::SetZeroVisible, value); }
    void SetRoundMode(TRoundMode value) { set(&NumberField::SetRoundMode, value); }
    void SetMaxIntLength(int value) { set(&NumberField::SetMaxIntLength, value); }
    void SetAllowKeys(bool value) { set(&NumberField::SetAllowKeys, value); }
    void SetIncrement(Extended value) { set(&NumberField::SetIncrement, value); }
    void SetWrap(bool value) { set(&NumberField::SetWrap, value); }
    // Called before an arrow-key step is applied; may change the new value.
    void SetOnArrowKeyChange(NumberField::TArrowKeyEvent handler);
    // Entering the field selects its whole text (true, the default) or puts the caret at the end.
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }

public slots:
    // Pastes the clipboard's plain text through the field's filter.
    void paste();

signals:
    // The field's change notification: the text changed and was read as a number.
    void changed();
    // The field was left and its text formatted.
    void exited();
    // The text as typed cannot be read as a number; it stays as typed.
    void conversionError(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    template <typename Setter, typename Arg> void set(Setter setter, Arg value)
    {
        (m_field.*setter)(value);
        showField();
    }

    void typeKey(char16_t key);
    void pasteFrom(QClipboard::Mode mode);
    void takeEditedText(const QString& text);
    // Tells the field where the caret and the selection are now.
    void syncSelection();
    // Shows the field's text and selection.
    void showField();
    void report(const QString& error);

    NumberField m_field;
    bool m_autoSelect = true;
    bool m_showing = false; // the text shown is the field's own: not an edit
    bool m_entered = false; // between entering and leaving the field
    QString m_reported;     // the conversion error last reported, until a text reads again
};

} // namespace korbena
