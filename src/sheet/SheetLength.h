#pragma once

#include <QPoint>

#include <compare>
#include <cstdint>

namespace korbena {

// Rounds the quotient num / den to the nearest integer, halves to even. den must
// not be 0; either sign is fine.
std::int64_t divideRoundHalfEven(__int128 num, __int128 den);

// A length on the sheet in ten-thousandths of a millimetre. Settings are turned into
// it once, rounded half to even, and every sum of lengths is formed in it, so a row
// of labels lands on the same pixels however it is added up. Lengths are held within
// ten kilometres either way: far beyond any paper, and small enough that no product
// with a scale can overflow.
class SheetLength
{
public:
    static constexpr std::int64_t kUnitsPerMillimetre = 10000;
    static constexpr std::int64_t kLimit = 10'000'000LL * kUnitsPerMillimetre;

    constexpr SheetLength() = default;

    static constexpr SheetLength fromUnits(std::int64_t units) { return SheetLength(clamp(units)); }
    static constexpr SheetLength fromWholeMillimetres(std::int64_t mm)
    {
        const std::int64_t limit = kLimit / kUnitsPerMillimetre;
        return SheetLength((mm < -limit ? -limit : mm > limit ? limit : mm) * kUnitsPerMillimetre);
    }
    // The value times 10000, rounded half to even; not-a-number counts as 0.
    static SheetLength fromMillimetres(long double mm);

    constexpr std::int64_t units() const { return m_units; }
    long double millimetres() const { return static_cast<long double>(m_units) / kUnitsPerMillimetre; }

    constexpr SheetLength operator-() const { return SheetLength(-m_units); }
    constexpr SheetLength operator+(SheetLength other) const { return fromUnits(m_units + other.m_units); }
    constexpr SheetLength operator-(SheetLength other) const { return fromUnits(m_units - other.m_units); }
    SheetLength& operator+=(SheetLength other) { return *this = *this + other; }
    SheetLength& operator-=(SheetLength other) { return *this = *this - other; }
    // n times the length, for a count of labels or characters.
    SheetLength times(std::int64_t n) const;
    // Half the length to four decimals, halves to even.
    SheetLength halved() const { return SheetLength(divideRoundHalfEven(m_units, 2)); }

    constexpr auto operator<=>(const SheetLength&) const = default;

private:
    constexpr explicit SheetLength(std::int64_t units) : m_units(units) {}
    static constexpr std::int64_t clamp(std::int64_t units)
    {
        return units < -kLimit ? -kLimit : units > kLimit ? kLimit : units;
    }

    std::int64_t m_units = 0;
};

// Device pixels per millimetre to four decimals (dpi / 25.4 rounded half to even):
// 96 dpi gives 3.7795, 600 dpi 23.6220.
class SheetScale
{
public:
    // Resolutions are held within 0 to 100000 dpi.
    static SheetScale fromDpi(int dpi);
    // Ten-thousandths of a pixel per millimetre.
    std::int64_t units() const { return m_units; }
    // trunc(length x scale), held within the device range.
    int toPixels(SheetLength length) const;

private:
    std::int64_t m_units = 0;
};

// Device coordinates are held within this many pixels of the origin: a metre of
// paper at 9600 dpi is under 400000 pixels, and glyph positions stay far from
// overflowing the painter's fixed-point arithmetic.
inline constexpr int kDeviceLimit = 1 << 23;

// Where a millimetre position lands on a surface: the scales of the surface and
// the sheet offset, the whole millimetres of X_OFFSET and Y_OFFSET that move every
// element on the preview and on paper alike.
struct SheetTransform
{
    SheetScale scaleX;
    SheetScale scaleY;
    SheetLength offsetX;
    SheetLength offsetY;

    // (trunc((ox + x) x sX), trunc((oy + y) x sY)).
    QPoint toDevice(SheetLength x, SheetLength y) const
    {
        return {scaleX.toPixels(offsetX + x), scaleY.toPixels(offsetY + y)};
    }
};

// The sheet offset of a setting: its integer part in whole millimetres (2.7 gives
// 2, -2.7 gives -2).
SheetLength sheetOffset(long double setting);

// The integer part of a count setting, held within the int range; 0 for not-a-number.
int integerPart(long double value);

} // namespace korbena
