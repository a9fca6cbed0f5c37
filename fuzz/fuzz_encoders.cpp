// Arbitrary Code text through the UPC, CODE-39, NW-7, two-of-five and customer
// encoders and the whole paint pipeline of the main window's component. The first
// byte picks the symbology, the second the settings (check character, start and
// stop characters, ratio, text line, and whether the rest is UTF-8 or raw UTF-16).
// No crash, no sanitizer report, and every pattern holds only the element digits
// its symbology draws.
#include "FuzzSupport.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

using EncodeFunction = korbena::Encoding (*)(const QString&, const korbena::EncodeOptions&);

struct Target
{
    korbena::TBarTypes type;
    EncodeFunction encode;
    const char* allowed;
};

constexpr std::array<Target, 9> kTargets = {{
    {korbena::cbarUPC, korbena::encodeUpc, "01"},
    {korbena::cbarCODE39, korbena::encodeCode39, "0123"},
    {korbena::cbarNW7, korbena::encodeNw7, "0123"},
    {korbena::cbarITF, korbena::encodeItf, "0123"},
    {korbena::cbarCTF, korbena::encodeCtf, "0123"},
    {korbena::cbarIATA, korbena::encodeIata, "0123"},
    {korbena::cbarMATRIX, korbena::encodeMatrix, "0123"},
    {korbena::cbarNEC, korbena::encodeNec, "0123"},
    {korbena::cbarCUSTOMER, korbena::encodeCustomer, "02367"},
}};

void checkPattern(const Target& target, const korbena::ElementPattern& pattern)
{
    for (const QChar c : pattern) {
        if (c.unicode() > 0x7F || std::strchr(target.allowed, static_cast<char>(c.unicode())) == nullptr)
            __builtin_trap();
    }
}

} // namespace

// Fontconfig and FreeType keep their caches for the whole process; the leak check
// after each input would otherwise report them (tests/lsan.supp holds the same list).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libfreetype.so\nleak:FcConfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    korbena::fuzz::application();
    const Target& target = kTargets[data[0] % kTargets.size()];
    const std::uint8_t settings = data[1];
    const char* rest = reinterpret_cast<const char*>(data + 2);
    const auto restSize = static_cast<qsizetype>(size - 2);
    // Raw UTF-16 reaches lone surrogates and any code unit; UTF-8 the readable cases.
    const QString text = (settings & 0x80) != 0 ? QString(reinterpret_cast<const QChar*>(rest), restSize / 2)
                                                : QString::fromUtf8(rest, restSize);

    korbena::EncodeOptions options;
    options.cd = (settings & 1) != 0;
    options.startChar = QChar(u'A' + ((settings >> 1) & 3));
    options.stopChar = QChar(u'A' + ((settings >> 3) & 3));
    const korbena::Encoding encoding = target.encode(text, options);
    if (encoding.ok() == encoding.workSymbol.isEmpty())
        __builtin_trap();
    checkPattern(target, encoding.pattern);

    korbena::BarImage image;
    korbena::configureMainWindowBarImage(image);
    image.SetBarEnabled(false);
    image.SetBarType(target.type);
    image.SetCD(options.cd);
    image.SetStartChar(options.startChar);
    image.SetStopChar(options.stopChar);
    image.SetElementRatio(20 + (settings >> 5) % 4 * 3);
    image.SetSymbolDisp((settings & 0x40) != 0);
    image.SetCode(text);
    image.SetBarEnabled(true);
    if (image.BarDisped()) {
        checkPattern(target, image.LastPattern());
        if (image.WorkSymbol() != encoding.workSymbol)
            __builtin_trap();
        // The customer bar area is six modules high whatever BarHeight said.
        if (target.type == korbena::cbarCUSTOMER && image.BarHeight() < 6 * image.Scale())
            __builtin_trap();
    }
    return 0;
}
