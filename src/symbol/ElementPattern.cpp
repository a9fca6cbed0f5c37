#include "symbol/ElementPattern.h"

namespace korbena {

std::int64_t patternPixelWidth(QStringView pattern, int scale, int elementRatio, int barType)
{
    std::int64_t total = 0;
    for (const QChar c : pattern)
        total += elementPixelWidth(c.unicode() - u'0', scale, elementRatio, barType);
    return total;
}

int Mod10CheckDigit(QStringView digits)
{
    int sum = 0;
    bool weightThree = true;
    for (auto it = digits.crbegin(); it != digits.crend(); ++it) {
        const int d = it->isDigit() && it->unicode() < 128 ? it->unicode() - u'0' : 0;
        sum += weightThree ? 3 * d : d;
        weightThree = !weightThree;
    }
    const int r = sum % 10;
    return r > 0 ? 10 - r : 0;
}

} // namespace korbena
