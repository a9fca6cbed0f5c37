#include "symbol/BarImage.h"

#include <cstdint>

namespace korbena {

int BarImage::MeasureCustomerWidth(const ElementPattern& pattern) const
{
    return customerPatternWidth(pattern, FScale);
}

// One module column of a 4-state symbol: up to three stacked thirds of the bar area,
// each 2 modules high, in the canvas's current brush. Index 0 is the empty column
// before the start bars, one module left of the bar area.
void BarImage::DrawCustomerElement(int x0, int index, int scale, int mask)
{
    Canvas* canvas = currentCanvas();
    if (canvas == nullptr || (mask & 7) == 0)
        return;
    const std::int64_t left = static_cast<std::int64_t>(FBarLeft) + FBarSpaceLeft + x0;
    const std::int64_t top = static_cast<std::int64_t>(FBarTop) + FBarSpaceUp;
    const std::int64_t x1 = left + static_cast<std::int64_t>(index - 1) * scale;
    const std::int64_t x2 = left + static_cast<std::int64_t>(index) * scale;
    const std::int64_t third = 2 * static_cast<std::int64_t>(scale);
    // Past the range of a pixel coordinate nothing can be drawn.
    constexpr std::int64_t kLimit = 1 << 30;
    if (x1 < -kLimit || x2 > kLimit || top < -kLimit || top + 3 * third > kLimit)
        return;

    struct Third
    {
        int bit;
        int row; // 0 the upper, 1 the middle, 2 the lower third
    };
    constexpr Third kThirds[] = {{4, 0}, {2, 1}, {1, 2}};
    for (const Third& t : kThirds) {
        if ((mask & t.bit) == 0)
            continue;
        canvas->FillRect(Rect{static_cast<int>(x1), static_cast<int>(top + t.row * third),
                              static_cast<int>(x2), static_cast<int>(top + (t.row + 1) * third)});
    }
}

} // namespace korbena
