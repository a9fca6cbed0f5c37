#include "symbol/Encoders.h"

namespace korbena {

// The two-of-five family is not built yet: each answers as an empty encoder slot does.
Encoding encodeItf(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

Encoding encodeCtf(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

Encoding encodeIata(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

Encoding encodeMatrix(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

Encoding encodeNec(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

} // namespace korbena
