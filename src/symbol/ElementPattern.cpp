#include "symbol/ElementPattern.h"

namespace korbena {

std::int64_t patternPixelWidth(QStringView pattern, int scale, int elementRatio, int barType)
{
    std::int64_t total = 0;
    for (const QChar c : pattern)
        total += elementPixelWidth(c.unicode() - u'0', scale, elementRatio, barType);
    return total;
}

} // namespace korbena
