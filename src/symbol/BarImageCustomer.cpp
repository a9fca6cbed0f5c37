#include "symbol/BarImage.h"

namespace korbena {

int BarImage::MeasureCustomerWidth(const ElementPattern& pattern) const
{
    return customerPatternWidth(pattern, FScale);
}

// Not built yet: draws nothing.
void BarImage::DrawCustomerElement(int /*x0*/, int /*index*/, int /*scale*/, int /*mask*/) {}

} // namespace korbena
