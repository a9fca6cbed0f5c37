#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace korbena {

// A value of a style or data file that does not read as the number its key needs.
// The message is the system's conversion text with the value in it; the detail
// names the file and the line.
class ConversionError : public Error
{
public:
    enum class Expected { Integer, Decimal };

    ConversionError(Expected expected, QStringView value, const QString& fileName, int line);

    Expected expected() const noexcept { return expected_; }
    const QString& value() const noexcept { return value_; }
    const QString& fileName() const noexcept { return fileName_; }
    int line() const noexcept { return line_; }

private:
    Expected expected_;
    QString value_;
    QString fileName_;
    int line_;
};

// A decimal integer of 32 bits: blanks before it, an optional sign, digits.
std::optional<std::int32_t> readInteger32(QStringView text);

// A decimal number read as fixed point with four decimals (ten-thousandths),
// more decimals rounded half to even: blanks around it, an optional sign, digits
// with an optional full stop, an optional exponent. Empty text, text that is no
// number and values beyond the 64-bit range give nothing.
std::optional<std::int64_t> readFixed4(QStringView text);

// A millimetre value as ten-thousandths of a millimetre, halves to even.
std::int64_t toFixed4(double value);

} // namespace korbena
