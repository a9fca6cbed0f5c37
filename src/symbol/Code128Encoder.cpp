#include "symbol/Encoders.h"

namespace korbena {

// Not built yet: answers as an empty encoder slot does, with no symbol.
Encoding encodeCode128(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

} // namespace korbena
