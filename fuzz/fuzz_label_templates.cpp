// Arbitrary bytes as a label template file: reading stops at the first XML fault and
// every layout it gives is one a style can hold.
#include "sheet/GlabelsTemplates.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const korbena::PaperSizes papers = korbena::glabelsPaperSizes();
    const QByteArray xml(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const korbena::GlabelsFile file = korbena::readGlabelsTemplates(xml, QStringLiteral("fuzz.xml"), papers);
    for (const korbena::SheetLayout& layout : file.layouts)
        if (layout.across < 1 || layout.down < 1 || !(layout.labelWidth > 0) || !(layout.labelHeight > 0))
            __builtin_trap();
    int unresolved = 0;
    korbena::resolveEquivalents(file.layouts, file.equivalents, unresolved);
    return 0;
}
