#pragma once

#include "document/NumberFormat.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <functional>
#include <optional>

// The edit state machine of the numeric edit field: which keys it accepts, how the
// sign is edited, how a paste is filtered, what each change of the text does and how
// the arrow keys step the value, over the format rules of NumberFormat.h. The widget
// binds a line edit to a NumberField and keeps no rules of its own.

namespace korbena {

// Control characters the key filter knows by name.
inline constexpr char16_t kKeyBackspace = 0x08;
inline constexpr char16_t kKeyTab = 0x09;
inline constexpr char16_t kKeyEnter = 0x0D;

// --- editing ---

// The text of the field with its caret or selection (selStart .. selStart + selLength).
struct EditState
{
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
};

// Whether a typed character passes the key filter.
bool KeyPasses(const NumberFormat& format, const EditState& state, char16_t key, bool ctrl = false);

enum class KeyAction {
    Discard,    // the key is dropped
    SignEdited, // "+" or "-" changed the sign at the front: take the new state
    PassOn,     // the edit control handles the key as usual
};

struct KeyResult
{
    KeyAction action = KeyAction::Discard;
    EditState state; // the state after a sign edit (caret only, no selection)
};

// The key filter followed by the field's own handling of a key that passed it.
KeyResult PressKey(const NumberFormat& format, const EditState& state, char16_t key, bool ctrl = false);

// What the edit control does with a key the field passes on: a printable character
// replaces the selection, Backspace deletes the selection or the character before
// the caret. Lets the field be driven without a window.
EditState TypeIntoEdit(const EditState& state, char16_t key);

// The outcome of the change handling that runs each time the text changes.
struct TextChange
{
    std::optional<Extended> value; // the new Value; none when the text cannot be read
    QString text;                  // the text after regrouping in thousands
    qsizetype caret = 0;           // the caret after regrouping
    bool notify = false;           // raise the change notification
    QString error;                 // the conversion error when the text cannot be read
};

TextChange HandleTextChange(const NumberFormat& format, const QString& text, qsizetype caret);

// The state after pasting clipboard text through the field's filter, or nothing
// when nothing is pasted.
std::optional<EditState> PasteIntoText(const NumberFormat& format, const EditState& state,
                                       QStringView clipboard);

// The value one arrow key step gives, before the arrow-key handler sees it.
Extended SteppedValue(const NumberFormat& format, Extended value, TArrowKeyDirection direction);

// --- the field ---

// The model of one numeric edit field: its settings, its value and its text, with the
// property setters and user interactions of the control. A widget shows Text() and
// forwards keys, edits, paste, focus and arrow keys here.
class NumberField
{
public:
    using TArrowKeyEvent =
        std::function<void(NumberField& sender, TArrowKeyDirection direction, Extended& newValue)>;
    using TNotifyEvent = std::function<void(NumberField& sender)>;

    explicit NumberField(const NumberFormat& format = {});

    const NumberFormat& Format() const { return FFormat; }

    // --- properties ---
    Extended Value() const { return FValue; }
    void SetValue(Extended value);
    qint32 AsInteger() const;
    void SetAsInteger(qint32 value);
    qint64 AsInt64() const;
    void SetAsInt64(qint64 value);
    qint32 IntValue() const { return AsInteger(); }
    QString AsText() const;
    // Runs the formatting, stores back the value of the formatted text and returns it.
    QString FormattedText();

    bool Comma() const { return FFormat.Comma; }
    void SetComma(bool value);
    int Figure() const { return FFormat.Figure; }
    void SetFigure(int value);
    bool Fixed() const { return FFormat.Fixed; }
    void SetFixed(bool value);
    bool Limit() const { return FFormat.Limit; }
    void SetLimit(bool value);
    TLimitOptions LimitOptions() const { return FFormat.LimitOptions; }
    void SetLimitOptions(TLimitOptions value);
    Extended Max() const { return FFormat.Max; }
    void SetMax(Extended value);
    Extended Min() const { return FFormat.Min; }
    void SetMin(Extended value);
    TNumberType NumberType() const { return FFormat.NumberType; }
    void SetNumberType(TNumberType value);
    bool ValidMinus() const { return FFormat.ValidMinus; }
    void SetValidMinus(bool value);
    bool ZeroVisible() const { return FFormat.ZeroVisible; }
    void SetZeroVisible(bool value);
    TRoundMode RoundMode() const { return FFormat.RoundMode; }
    void SetRoundMode(TRoundMode value) { FFormat.RoundMode = value; }
    int MaxIntLength() const { return FFormat.MaxIntLength; }
    void SetMaxIntLength(int value) { FFormat.MaxIntLength = value; }
    bool AllowKeys() const { return FFormat.AllowKeys; }
    void SetAllowKeys(bool value) { FFormat.AllowKeys = value; }
    Extended Increment() const { return FFormat.Increment; }
    void SetIncrement(Extended value) { FFormat.Increment = value; }
    bool Wrap() const { return FFormat.Wrap; }
    void SetWrap(bool value) { FFormat.Wrap = value; }
    void SetSeparators(QChar decimalSeparator, QChar thousandSeparator);

    // --- the text and the user's editing ---
    const QString& Text() const { return FText; }
    qsizetype SelStart() const { return FSelStart; }
    qsizetype SelLength() const { return FSelLength; }
    bool Modified() const { return FModified; }
    void SetSelection(qsizetype start, qsizetype length = 0);

    // Sets the text as the control would (with the change handling); returns the
    // conversion error when the text cannot be read, which leaves Value as it was.
    QString SetText(const QString& text);
    // The text as the edit control's own editing left it (Delete, cut, undo, a text set
    // from outside), with its caret: the change handling runs as for a typed key.
    // Returns the conversion error when the text cannot be read.
    QString EditText(const QString& text, qsizetype caret);
    // A key typed into the field: the filter, the sign editing, then the edit
    // control's own handling with the change handling. Returns a conversion error.
    QString KeyPress(char16_t key, bool ctrl = false);
    // The paste request: the clipboard's plain text, or nothing when it holds none.
    QString Paste(const std::optional<QString>& clipboard);
    void Enter(bool autoSelect = true);
    // Leaving the field: reads the text, shows FormattedText and sets Modified.
    QString Leave();
    // Up (adUp) and Down (adDown) when AllowKeys is on; the widget still passes the
    // key on to the edit control.
    void ArrowKey(TArrowKeyDirection direction);
    virtual void StepValue(TArrowKeyDirection direction);

    TNotifyEvent OnChange;
    TNotifyEvent OnExit;
    TArrowKeyEvent OnArrowKeyChange;

    virtual ~NumberField() = default;

protected:
    virtual void DoArrowKeyChange(TArrowKeyDirection direction, Extended& newValue);

private:
    void Reformat();
    void SetTextSilently(const QString& text);
    QString ApplyTextChange(const QString& text, qsizetype caret);

    NumberFormat FFormat;
    Extended FValue = 0;
    QString FText = QStringLiteral("0");
    qsizetype FSelStart = 0;
    qsizetype FSelLength = 0;
    bool FChangeSave = false;
    bool FKeyin = false;
    bool FModified = false;
};

} // namespace korbena
