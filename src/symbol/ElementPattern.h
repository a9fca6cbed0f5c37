#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace korbena {

// A text of decimal digits, one per element from left to right: an odd digit is a
// bar, an even digit a space, (digit div 2) + 1 modules wide. Empty means the code
// cannot be encoded.
using ElementPattern = QString;

// Pixel width of one element. Two-width symbologies stretch any element wider than
// one module by ElementRatio / 20 (truncated), so the wide element is
// Scale x ElementRatio / 10 pixels.
constexpr std::int64_t elementPixelWidth(int digit, int scale, int elementRatio, int barType)
{
    std::int64_t w = static_cast<std::int64_t>(digit / 2 + 1) * scale;
    if (barType >= 2 && barType <= 8 && w > scale)
        w = w * elementRatio / 20;
    return w;
}

// Sum of the element widths of a pattern.
std::int64_t patternPixelWidth(QStringView pattern, int scale, int elementRatio, int barType);

} // namespace korbena
