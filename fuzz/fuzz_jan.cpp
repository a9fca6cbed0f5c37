// Arbitrary Code text through EncodeJAN and the whole paint pipeline of the main
// window's component (text drawn, comments on): no crash, no sanitizer report.
#include "FuzzSupport.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korbena::fuzz::application();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const korbena::Encoding encoding = korbena::encodeJan(text);
    if (encoding.ok()) {
        for (const QChar c : encoding.pattern) {
            if (c != u'0' && c != u'1')
                __builtin_trap();
        }
    }

    korbena::BarImage image;
    korbena::configureMainWindowBarImage(image);
    image.SetSymbolDisp(size % 2 == 0);
    image.SetCommentUp(text.left(8));
    image.SetCode(text);
    // The data gains its check digit; a full number keeps the one it carries.
    if (image.BarDisped() && image.WorkSymbol() != text && image.WorkSymbol().size() != text.size() + 1)
        __builtin_trap();
    return 0;
}
