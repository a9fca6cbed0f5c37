#include "document/NumberField.h"

#include "platform/DecimalText.h"

#include <algorithm>

namespace korbena {

namespace {

QString withoutSelection(const EditState& state, qsizetype& start)
{
    start = std::clamp<qsizetype>(state.selStart, 0, state.text.size());
    const qsizetype length = std::clamp<qsizetype>(state.selLength, 0, state.text.size() - start);
    QString text = state.text;
    text.remove(start, length);
    return text;
}

} // namespace

// --- editing ---

bool KeyPasses(const NumberFormat& format, const EditState& state, char16_t key, bool ctrl)
{
    const QChar c(key);
    if (format.NumberType == ntHex) {
        if (ctrl || key == kKeyBackspace || key == kKeyTab || key == kKeyEnter || hexDigitValue(c) >= 0)
            return true;
        if (key == u'-')
            return format.ValidMinus;
        if (key == u'+')
            return state.text.startsWith(u'-');
        return false;
    }

    const bool editingKey = key == kKeyBackspace || key == kKeyTab || key == kKeyEnter || isNumberSign(c) ||
                            c == format.DecimalSeparator;
    if (!ctrl && !editingKey && !isAsciiDigit(c))
        return false;
    if (format.MaxIntLength <= 0)
        return true;

    const QString& text = state.text;
    const qsizetype point = text.indexOf(format.DecimalSeparator);
    const QStringView integer = point < 0 ? QStringView(text) : QStringView(text).left(point);
    const auto digits = std::count_if(integer.begin(), integer.end(), [&](QChar x) {
        return !isNumberSign(x) && x != format.ThousandSeparator;
    });
    if (digits < format.MaxIntLength || editingKey)
        return true;
    // A character typed just before the separator still lands in the integer part.
    if (point >= 0 && state.selStart > point)
        return true;
    if (state.selLength > 0 && (point < 0 || state.selStart < point)) {
        // Replacing a selection that holds a digit does not lengthen the integer part;
        // replacing only separators or signs would.
        const QStringView selection =
            QStringView(text).mid(std::clamp<qsizetype>(state.selStart, 0, text.size()), state.selLength);
        return std::any_of(selection.begin(), selection.end(), [&](QChar x) {
            return !isNumberSign(x) && x != format.ThousandSeparator && x != format.DecimalSeparator;
        });
    }
    return false;
}

KeyResult PressKey(const NumberFormat& format, const EditState& state, char16_t key, bool ctrl)
{
    if (!KeyPasses(format, state, key, ctrl))
        return {KeyAction::Discard, state};

    if (key == u'+' || key == u'-') {
        QString text = state.text;
        qsizetype caret = std::clamp<qsizetype>(state.selStart, 0, text.size());
        if (caret == 0 && state.selLength > 0)
            text.remove(0, state.selLength);
        const QChar front = text.isEmpty() ? QChar() : text.front();
        int move = 0;
        if (key == u'-') {
            if (front == u'-') {
                text.remove(0, 1);
                move = -1;
            } else if (front == u'+') {
                text[0] = u'-';
            } else {
                text.prepend(u'-');
                move = 1;
            }
        } else if (format.NumberType == ntHex) {
            if (front == u'-') {
                text.remove(0, 1);
                move = -1;
            }
        } else if (front == u'+') {
            text.remove(0, 1);
            move = -1;
        } else if (front == u'-') {
            text[0] = u'+';
        } else {
            text.prepend(u'+');
            move = 1;
        }
        caret = std::clamp<qsizetype>(caret + move, 0, text.size());
        return {KeyAction::SignEdited, {text, caret, 0}};
    }

    if (format.NumberType == ntDecimal && QChar(key) == format.DecimalSeparator) {
        qsizetype start = 0;
        if (withoutSelection(state, start).contains(format.DecimalSeparator))
            return {KeyAction::Discard, state};
    }
    return {KeyAction::PassOn, state};
}

EditState TypeIntoEdit(const EditState& state, char16_t key)
{
    qsizetype start = 0;
    QString text = withoutSelection(state, start);
    const bool hadSelection = text.size() != state.text.size();
    if (key == kKeyBackspace) {
        if (!hadSelection && start > 0)
            text.remove(--start, 1);
        return {text, start, 0};
    }
    if (key < 0x20)
        return state;
    text.insert(start, QChar(key));
    return {text, start + 1, 0};
}

TextChange HandleTextChange(const NumberFormat& format, const QString& text, qsizetype caret)
{
    TextChange change;
    change.text = text;
    change.caret = caret;
    if (text.isEmpty() || text == u"-" || text == u"+") {
        change.value = 0;
        return change;
    }
    const NumberRead read = ReadNumberText(text, format);
    if (!read.ok) {
        change.error = read.error;
        return change;
    }
    Extended value = read.value;
    if (format.NumberType == ntDecimal) {
        if (format.Comma) {
            const QString grouped = GroupThousands(text, format.DecimalSeparator, format.ThousandSeparator);
            if (grouped.size() > text.size())
                ++change.caret;
            else if (grouped.size() < text.size())
                --change.caret;
            change.caret = std::clamp<qsizetype>(change.caret, 0, grouped.size());
            change.text = grouped;
        }
        const NumberRead rounded =
            ReadNumberText(RoundNumberText(change.text, format.Figure, format.RoundMode,
                                           format.DecimalSeparator, format.ThousandSeparator),
                           format);
        if (rounded.ok)
            value = rounded.value;
    }
    change.value = ClampValue(format, value);
    change.notify = true;
    return change;
}

std::optional<EditState> PasteIntoText(const NumberFormat& format, const EditState& state,
                                       QStringView clipboard)
{
    qsizetype at = 0;
    QString text = withoutSelection(state, at);
    if (QStringView(text).mid(at).contains(u'-') || QStringView(text).mid(at).contains(u'+'))
        return std::nullopt;

    const bool hex = format.NumberType == ntHex;
    bool hasPoint = text.contains(format.DecimalSeparator);
    const bool hasSign = !text.isEmpty() && isNumberSign(text.front());
    QString accepted;
    for (qsizetype i = 0; i < clipboard.size(); ++i) {
        const QChar c = clipboard[i];
        const bool digit = isAsciiDigit(c) || (hex && hexDigitValue(c) >= 0);
        const bool point = !hex && c == format.DecimalSeparator && !hasPoint;
        const bool sign = !hex && isNumberSign(c) && i == 0 && at == 0 && !hasSign;
        if (digit || point || sign)
            accepted.append(c);
        hasPoint = hasPoint || point;
    }
    text.insert(at, accepted);
    return EditState{text, at + accepted.size(), 0};
}

Extended SteppedValue(const NumberFormat& format, Extended value, TArrowKeyDirection direction)
{
    if (direction == adUp)
        value += format.Increment;
    else if (direction == adDown)
        value -= format.Increment;
    if (!format.Limit)
        return value;
    const bool withMin = format.LimitOptions.testFlag(loMin);
    const bool withMax = format.LimitOptions.testFlag(loMax);
    if (withMin && value < format.Min)
        return format.Wrap && withMax ? format.Max : format.Min;
    if (withMax && value > format.Max)
        return format.Wrap && withMin ? format.Min : format.Max;
    return value;
}

// --- the field ---

NumberField::NumberField(const NumberFormat& format) : FFormat(format) {}

void NumberField::SetValue(Extended value)
{
    FValue = ClampValue(FFormat, value);
    Reformat();
}

qint32 NumberField::AsInteger() const
{
    return korbena::AsInteger(FFormat, FValue);
}

void NumberField::SetAsInteger(qint32 value)
{
    SetValue(value);
}

qint64 NumberField::AsInt64() const
{
    return korbena::AsInt64(FFormat, FValue);
}

void NumberField::SetAsInt64(qint64 value)
{
    SetValue(static_cast<Extended>(value));
}

QString NumberField::AsText() const
{
    return korbena::AsText(FFormat, FValue);
}

QString NumberField::FormattedText()
{
    const FormattedNumber formatted = korbena::FormattedText(FFormat, FValue, FText);
    FValue = formatted.value;
    return formatted.text;
}

void NumberField::SetComma(bool value)
{
    FFormat.Comma = value;
    SetTextSilently(FormattedText());
}

void NumberField::SetFigure(int value)
{
    FFormat.Figure = value;
    Reformat();
}

void NumberField::SetFixed(bool value)
{
    FFormat.Fixed = value;
    Reformat();
}

void NumberField::SetLimit(bool value)
{
    FFormat.Limit = value;
    FValue = ClampValue(FFormat, FValue);
    Reformat();
}

void NumberField::SetLimitOptions(TLimitOptions value)
{
    FFormat.LimitOptions = value;
    FValue = ClampValue(FFormat, FValue);
    Reformat();
}

void NumberField::SetMax(Extended value)
{
    FFormat.Max = value;
    if (value < FFormat.Min)
        FFormat.Min = value;
    if (FFormat.Limit && FFormat.LimitOptions.testFlag(loMax) &&
        (FValue < FFormat.Min || FValue > FFormat.Max)) {
        FValue = FFormat.Max;
        Reformat();
    }
}

void NumberField::SetMin(Extended value)
{
    FFormat.Min = value;
    if (value > FFormat.Max)
        FFormat.Max = value;
    if (FFormat.Limit && FFormat.LimitOptions.testFlag(loMin) &&
        (FValue < FFormat.Min || FValue > FFormat.Max)) {
        FValue = FFormat.Min;
        Reformat();
    }
}

void NumberField::SetNumberType(TNumberType value)
{
    if (value == FFormat.NumberType)
        return;
    FFormat.NumberType = value;
    // The plain form, not the exponent form: a text such as "1E18" would not read back.
    SetText(value == ntDecimal ? PlainNumberText(FValue) : HexNumberText(FFormat, IntValue()));
}

void NumberField::SetValidMinus(bool value)
{
    FFormat.ValidMinus = value;
    if (FFormat.NumberType == ntHex)
        Reformat();
}

void NumberField::SetZeroVisible(bool value)
{
    FFormat.ZeroVisible = value;
    const NumberRead read = ReadNumberText(FText, FFormat);
    if (read.ok && read.value == 0)
        Reformat();
}

void NumberField::SetSeparators(QChar decimalSeparator, QChar thousandSeparator)
{
    FFormat.DecimalSeparator = decimalSeparator;
    FFormat.ThousandSeparator = thousandSeparator;
    Reformat();
}

void NumberField::SetSelection(qsizetype start, qsizetype length)
{
    FSelStart = std::clamp<qsizetype>(start, 0, FText.size());
    FSelLength = std::clamp<qsizetype>(length, 0, FText.size() - FSelStart);
}

QString NumberField::SetText(const QString& text)
{
    if (text == FText)
        return {};
    FText = text;
    FSelStart = 0;
    FSelLength = 0;
    return FChangeSave ? QString() : ApplyTextChange(text, 0);
}

QString NumberField::EditText(const QString& text, qsizetype caret)
{
    if (text == FText) {
        SetSelection(caret);
        return {};
    }
    FText = text;
    SetSelection(caret);
    return FChangeSave ? QString() : ApplyTextChange(text, FSelStart);
}

QString NumberField::KeyPress(char16_t key, bool ctrl)
{
    const EditState state{FText, FSelStart, FSelLength};
    const KeyResult result = PressKey(FFormat, state, key, ctrl);
    switch (result.action) {
    case KeyAction::Discard:
        return {};
    case KeyAction::SignEdited: {
        // Changing the sign is an edit by the user like any typed digit.
        FKeyin = true;
        QString error = SetText(result.state.text);
        SetSelection(result.state.selStart);
        return error;
    }
    case KeyAction::PassOn:
        break;
    }
    FKeyin = true;
    const EditState typed = TypeIntoEdit(state, key);
    if (typed.text == FText) {
        SetSelection(typed.selStart, typed.selLength);
        return {};
    }
    FText = typed.text;
    SetSelection(typed.selStart);
    return ApplyTextChange(typed.text, typed.selStart);
}

QString NumberField::Paste(const std::optional<QString>& clipboard)
{
    if (!clipboard)
        return {};
    const auto pasted = PasteIntoText(FFormat, {FText, FSelStart, FSelLength}, *clipboard);
    if (!pasted)
        return {};
    FKeyin = true;
    QString error;
    if (pasted->text != FText) {
        FText = pasted->text;
        SetSelection(pasted->selStart);
        error = ApplyTextChange(pasted->text, pasted->selStart);
    } else {
        SetSelection(pasted->selStart);
    }
    return error;
}

void NumberField::Enter(bool autoSelect)
{
    if (autoSelect)
        SetSelection(0, FText.size());
    else
        SetSelection(FText.size());
    FKeyin = false;
}

QString NumberField::Leave()
{
    const NumberRead read = ReadNumberText(FText, FFormat);
    if (read.ok)
        FValue = read.value;
    FChangeSave = true;
    SetText(FormattedText());
    FChangeSave = false;
    FModified = FKeyin;
    if (OnExit)
        OnExit(*this);
    return read.error;
}

void NumberField::ArrowKey(TArrowKeyDirection direction)
{
    if (FFormat.AllowKeys)
        StepValue(direction);
}

void NumberField::StepValue(TArrowKeyDirection direction)
{
    Extended value = SteppedValue(FFormat, FValue, direction);
    DoArrowKeyChange(direction, value);
    SetValue(value);
}

void NumberField::DoArrowKeyChange(TArrowKeyDirection direction, Extended& newValue)
{
    if (OnArrowKeyChange)
        OnArrowKeyChange(*this, direction, newValue);
}

void NumberField::Reformat()
{
    SetText(FormattedText());
}

void NumberField::SetTextSilently(const QString& text)
{
    FChangeSave = true;
    SetText(text);
    FChangeSave = false;
}

QString NumberField::ApplyTextChange(const QString& text, qsizetype caret)
{
    const TextChange change = HandleTextChange(FFormat, text, caret);
    if (!change.value)
        return change.error;
    FValue = *change.value;
    if (change.text != FText) {
        FText = change.text;
        SetSelection(change.caret);
    } else if (change.caret != caret) {
        SetSelection(change.caret);
    }
    if (change.notify && OnChange)
        OnChange(*this);
    return {};
}

} // namespace korbena
