#include "symbol/Encoders.h"

namespace korbena {

// Not built yet: answers as an empty encoder slot does, with no symbol.
Encoding encodeUpc(const QString& /*code*/, const EncodeOptions& /*options*/)
{
    return {};
}

} // namespace korbena

namespace korbena {

QString UpcAToE(const QString& /*upcA*/)
{
    return {};
}

QString UpcEToA(const QString& /*upcE*/)
{
    return {};
}

} // namespace korbena
