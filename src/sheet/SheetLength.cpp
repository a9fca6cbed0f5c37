#include "sheet/SheetLength.h"

#include <climits>
#include <cmath>

namespace korbena {

std::int64_t divideRoundHalfEven(__int128 num, __int128 den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 q = num / den; // toward zero
    __int128 r = num % den; // same sign as num
    if (r != 0) {
        const __int128 twice = (r < 0 ? -r : r) * 2;
        const bool away = twice > den || (twice == den && (q % 2 != 0));
        if (away)
            q += num < 0 ? -1 : 1;
    }
    if (q > INT64_MAX)
        return INT64_MAX;
    if (q < INT64_MIN)
        return INT64_MIN;
    return static_cast<std::int64_t>(q);
}

SheetLength SheetLength::fromMillimetres(long double mm)
{
    if (std::isnan(mm))
        return {};
    const long double limit = static_cast<long double>(kLimit) / kUnitsPerMillimetre;
    if (mm >= limit)
        return SheetLength(kLimit);
    if (mm <= -limit)
        return SheetLength(-kLimit);
    // nearbyint rounds half to even in the default rounding mode.
    return SheetLength(static_cast<std::int64_t>(std::nearbyintl(mm * kUnitsPerMillimetre)));
}

SheetLength SheetLength::times(std::int64_t n) const
{
    const __int128 product = static_cast<__int128>(m_units) * n;
    if (product > kLimit)
        return SheetLength(kLimit);
    if (product < -kLimit)
        return SheetLength(-kLimit);
    return SheetLength(static_cast<std::int64_t>(product));
}

SheetScale SheetScale::fromDpi(int dpi)
{
    const int held = dpi < 0 ? 0 : dpi > 100000 ? 100000 : dpi;
    SheetScale scale;
    // dpi / 25.4 to four decimals: dpi x 10000 / 25.4 = dpi x 100000 / 254.
    scale.m_units = divideRoundHalfEven(static_cast<__int128>(held) * 100000, 254);
    return scale;
}

int SheetScale::toPixels(SheetLength length) const
{
    // units x scale units carry eight decimals; integer division truncates toward zero.
    const __int128 pixels = static_cast<__int128>(length.units()) * m_units / 100'000'000;
    if (pixels > kDeviceLimit)
        return kDeviceLimit;
    if (pixels < -kDeviceLimit)
        return -kDeviceLimit;
    return static_cast<int>(pixels);
}

SheetLength sheetOffset(long double setting)
{
    if (std::isnan(setting))
        return {};
    const long double limit =
        static_cast<long double>(SheetLength::kLimit / SheetLength::kUnitsPerMillimetre);
    const long double whole = std::truncl(setting);
    if (whole >= limit)
        return SheetLength::fromWholeMillimetres(static_cast<std::int64_t>(limit));
    if (whole <= -limit)
        return SheetLength::fromWholeMillimetres(-static_cast<std::int64_t>(limit));
    return SheetLength::fromWholeMillimetres(static_cast<std::int64_t>(whole));
}

int integerPart(long double value)
{
    if (std::isnan(value))
        return 0;
    const long double whole = std::truncl(value);
    if (whole >= INT_MAX)
        return INT_MAX;
    if (whole <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(whole);
}

} // namespace korbena
