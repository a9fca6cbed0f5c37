#include "symbol/Encoders.h"

namespace korbena {

// Not built yet: answers as an empty encoder slot does, with no symbol.
Encoding encodeCustomer(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

} // namespace korbena

namespace korbena {

int customerPatternWidth(QStringView /*pattern*/, int /*scale*/)
{
    return 0;
}

} // namespace korbena
