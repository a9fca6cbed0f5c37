// Arbitrary text and field settings through the number text rules: reading,
// rounding, formatting, the key filter, sign editing, paste and the field model.
// No crash, no sanitizer report, and the formatted text reads back to the value
// the formatting stored, which formats again to a text of the same value.
#include "document/NumberField.h"

#include <QString>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

using korbena::Extended;

constexpr std::size_t kSettingsBytes = 5;

const std::array<Extended, 8> kEnds = {0, 1, 5, 10.05L, -10.05L, 1e18L, -2147483648.0L, 0.001L};

korbena::NumberFormat formatFrom(const std::uint8_t* b)
{
    korbena::NumberFormat f;
    f.Fixed = b[0] & 0x01;
    f.Comma = b[0] & 0x02;
    f.ZeroVisible = b[0] & 0x04;
    f.Limit = b[0] & 0x08;
    f.ValidMinus = b[0] & 0x10;
    f.Wrap = b[0] & 0x20;
    f.NumberType = (b[0] & 0x40) ? korbena::ntHex : korbena::ntDecimal;
    f.AllowKeys = b[0] & 0x80;
    f.Figure = b[1] % 22 - 1;
    f.RoundMode = static_cast<korbena::TRoundMode>(b[1] / 22 % 3);
    f.LimitOptions = korbena::TLimitOptions::fromInt(b[2] & 0x3);
    f.MaxIntLength = (b[2] >> 2) % 6;
    f.Min = kEnds[b[3] % kEnds.size()];
    f.Max = kEnds[(b[3] >> 3) % kEnds.size()];
    if (f.Max < f.Min)
        std::swap(f.Min, f.Max);
    f.Increment = kEnds[(b[4] >> 1) % kEnds.size()];
    if (b[4] & 0x01) {
        f.DecimalSeparator = u',';
        f.ThousandSeparator = u'.';
    }
    return f;
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool isDecimalForm(const QString& text, const korbena::NumberFormat& f)
{
    for (const QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'-' && c != u'+' && c != f.DecimalSeparator &&
            c != f.ThousandSeparator)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes)
        return 0;
    const korbena::NumberFormat f = formatFrom(data);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + kSettingsBytes),
                                           static_cast<qsizetype>(size - kSettingsBytes));

    korbena::RoundNumberText(text, f.Figure, f.RoundMode, f.DecimalSeparator, f.ThousandSeparator);
    korbena::GroupThousands(text, f.DecimalSeparator, f.ThousandSeparator);
    korbena::HandleTextChange(f, text, text.size() / 2);
    korbena::PasteIntoText(f, {text.left(3), 1, 1}, text);

    const korbena::NumberRead read = korbena::ReadNumberText(text, f);
    if (read.ok) {
        check(read.error.isEmpty() && !std::isnan(read.value));
        const korbena::FormattedNumber shown = korbena::FormattedText(f, read.value, text);
        if (f.NumberType == korbena::ntDecimal)
            check(isDecimalForm(shown.text, f));
        const korbena::NumberRead back = korbena::ReadNumberText(shown.text, f);
        check(back.ok && back.value == shown.value);
        const korbena::FormattedNumber again = korbena::FormattedText(f, shown.value, shown.text);
        check(again.value == shown.value);

        // The style file's form: plain digits, a minus sign and a full stop only.
        const QString plain = korbena::FormattedText({}, read.value).text;
        check(isDecimalForm(plain, {}) && !plain.contains(u',') && !plain.contains(u'+'));
    } else {
        check(!read.error.isEmpty());
    }

    // The same text typed key by key into a field, with the arrow keys and a paste.
    korbena::NumberField field(f);
    field.Enter(size % 2 == 0);
    for (const QChar key : text.left(64)) {
        field.KeyPress(key.unicode(), key.unicode() == u'^');
        if (key == u'U')
            field.ArrowKey(korbena::adUp);
        if (key == u'D')
            field.ArrowKey(korbena::adDown);
        if (key == u'L')
            field.SetSelection(0, field.Text().size() / 2);
    }
    field.Paste(text.mid(64, 64));
    field.Leave();
    return 0;
}
