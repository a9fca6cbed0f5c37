// Arbitrary bytes as a style file: decoded from code page 932 and applied line by
// line. The reader either loads or stops with a conversion error, never crashes,
// and whatever it loaded is written, read back and written again to the same lines.
#include "document/LabelStyle.h"
#include "document/ValueText.h"
#include "platform/TextCodec932.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = korbena::splitLines(korbena::cp932::decode(bytes));

    korbena::LabelStyle style;
    korbena::StyleFileExtras extras;
    try {
        korbena::applyStyleLines(lines, style, extras, QStringLiteral("fuzz.kbz"));
    } catch (const korbena::ConversionError& error) {
        if (error.message().isEmpty() || error.line() < 1 || error.line() > lines.size())
            __builtin_trap();
    }

    // A 2D symbology adds its four keys to the file.
    const QStringList written = korbena::styleFileLines(style);
    if (written.size() != (korbena::storesMatrixKeys(style) ? 50 : 46))
        __builtin_trap();
    korbena::LabelStyle again;
    korbena::StyleFileExtras noExtras;
    try {
        korbena::applyStyleLines(written, again, noExtras, QStringLiteral("again.kbz"));
    } catch (const korbena::ConversionError& error) {
        // Only lengths near the end of the fixed-point range can round beyond it
        // in the eighteen digits the numeric field shows.
        if (error.expected() != korbena::ConversionError::Expected::Decimal)
            __builtin_trap();
        return 0;
    }
    if (korbena::styleFileLines(again) != written || noExtras.windowWidth || noExtras.imageFile)
        __builtin_trap();
    return 0;
}
