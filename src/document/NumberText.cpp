#include "document/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace korbena {

QString PlainNumberText(Extended value)
{
    if (std::isnan(value) || value == 0)
        return QStringLiteral("0");
    if (std::isinf(value))
        value = std::copysign(std::numeric_limits<Extended>::max(), value);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 18);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

NumberRead ReadNumberText(QStringView, const NumberFormat&)
{
    return {};
}

QString RoundNumberText(QStringView text, int, TRoundMode, QChar, QChar)
{
    return text.toString();
}

QString GroupThousands(QStringView text, QChar, QChar)
{
    return text.toString();
}

Extended ClampValue(const NumberFormat&, Extended value)
{
    return value;
}

FormattedNumber FormattedText(const NumberFormat&, Extended value, QStringView)
{
    return {PlainNumberText(value), value};
}

qint64 AsInt64(const NumberFormat&, Extended)
{
    return 0;
}

qint32 AsInteger(const NumberFormat&, Extended)
{
    return 0;
}

QString AsText(const NumberFormat&, Extended value)
{
    return PlainNumberText(value);
}

bool KeyPasses(const NumberFormat&, const EditState&, char16_t, bool)
{
    return true;
}

KeyResult PressKey(const NumberFormat&, const EditState& state, char16_t, bool)
{
    return {KeyAction::PassOn, state};
}

EditState TypeIntoEdit(const EditState& state, char16_t)
{
    return state;
}

TextChange HandleTextChange(const NumberFormat&, const QString& text, qsizetype caret)
{
    return {std::nullopt, text, caret, false, {}};
}

std::optional<EditState> PasteIntoText(const NumberFormat&, const EditState&, QStringView)
{
    return std::nullopt;
}

Extended SteppedValue(const NumberFormat&, Extended value, TArrowKeyDirection)
{
    return value;
}

NumberField::NumberField(const NumberFormat& format) : FFormat(format) {}

void NumberField::SetValue(Extended value)
{
    FValue = value;
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
    return korbena::FormattedText(FFormat, FValue, FText).text;
}
void NumberField::SetComma(bool value)
{
    FFormat.Comma = value;
}
void NumberField::SetFigure(int value)
{
    FFormat.Figure = value;
}
void NumberField::SetFixed(bool value)
{
    FFormat.Fixed = value;
}
void NumberField::SetLimit(bool value)
{
    FFormat.Limit = value;
}
void NumberField::SetLimitOptions(TLimitOptions value)
{
    FFormat.LimitOptions = value;
}
void NumberField::SetMax(Extended value)
{
    FFormat.Max = value;
}
void NumberField::SetMin(Extended value)
{
    FFormat.Min = value;
}
void NumberField::SetNumberType(TNumberType value)
{
    FFormat.NumberType = value;
}
void NumberField::SetValidMinus(bool value)
{
    FFormat.ValidMinus = value;
}
void NumberField::SetZeroVisible(bool value)
{
    FFormat.ZeroVisible = value;
}
void NumberField::SetSeparators(QChar decimalSeparator, QChar thousandSeparator)
{
    FFormat.DecimalSeparator = decimalSeparator;
    FFormat.ThousandSeparator = thousandSeparator;
}
void NumberField::SetSelection(qsizetype start, qsizetype length)
{
    FSelStart = start;
    FSelLength = length;
}
QString NumberField::SetText(const QString& text)
{
    FText = text;
    return {};
}
QString NumberField::KeyPress(char16_t, bool)
{
    return {};
}
QString NumberField::Paste(const std::optional<QString>&)
{
    return {};
}
void NumberField::Enter(bool) {}
QString NumberField::Leave()
{
    return {};
}
void NumberField::ArrowKey(TArrowKeyDirection) {}
void NumberField::StepValue(TArrowKeyDirection) {}
void NumberField::DoArrowKeyChange(TArrowKeyDirection direction, Extended& newValue)
{
    if (OnArrowKeyChange)
        OnArrowKeyChange(*this, direction, newValue);
}
void NumberField::Reformat() {}
void NumberField::SetTextSilently(const QString& text)
{
    FText = text;
}
QString NumberField::ApplyTextChange(const QString& text, qsizetype)
{
    return text;
}

} // namespace korbena
