#include "symbol/EncoderText.h"
#include "symbol/Encoders.h"

namespace korbena {

std::optional<int> fullNumberCheckDigit(TBarTypes type, const QString& code)
{
    const qsizetype length = code.size();
    if (!allAsciiDigits(code))
        return std::nullopt;
    if (type == cbarJAN && (length == 13 || length == 8))
        return Mod10CheckDigit(QStringView(code).first(length - 1));
    if (type == cbarUPC && (length == 12 || length == 8)) {
        // A UPC-E symbol carries the check digit of its UPC-A form.
        const QString upcA = length == 12 ? code.left(11) : UpcEToA(code.left(7));
        if (upcA.isEmpty())
            return std::nullopt;
        return Mod10CheckDigit(upcA);
    }
    return std::nullopt;
}

QString checkDigitFault(TBarTypes type, const QString& code)
{
    const std::optional<int> check = fullNumberCheckDigit(type, code);
    if (!check || code.back() == QChar(u'0' + *check))
        return {};
    return QStringLiteral("チェックデジットが違います: %1（正しくは %2）").arg(code).arg(*check);
}

} // namespace korbena
