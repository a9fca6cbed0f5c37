// Arbitrary Code text through encodeCode93 and (for texts that fit a picture) the
// whole paint pipeline of the main window's component: no crash, no sanitizer
// report, and every pattern is CODE-93's digit form: bars 1 3 5 7 and
// spaces 0 2 4 6 in turn from a bar, nine modules per character, ten for the stop.
//
// The first byte picks how the rest becomes text: UTF-8, raw UTF-16 (lone
// surrogates included) or a sequence of syntax tokens, so that the shift escapes and
// escapes cut short turn up in bounded runs.
#include "FuzzSupport.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// clang-format off
constexpr std::array<const char*, 32> kTokens = {
    "<$>", "<%>", "</>", "<+>", "<",  "<$", "<%", "</", "<+", ">",  "<A>", "$", "%", "/", "+", "-",
    ".",   " ",   "0",   "9",   "A",  "Z",  "a",  "!",  "#",  "&",  "@",   "*", "(", ")", "\t", "\xc3\xa9",
};
// clang-format on

bool isCode93Pattern(const QString& pattern)
{
    if (pattern.size() < 6 * 4 + 7 || (pattern.size() - 7) % 6 != 0)
        return false;
    qsizetype modules = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t d = pattern[i].unicode();
        if (d < u'0' || d > u'7')
            return false;
        const bool bar = (d - u'0') % 2 == 1;
        if (bar != (i % 6 % 2 == 0))
            return false;
        modules += (d - u'0') / 2 + 1;
    }
    const qsizetype characters = (pattern.size() - 7) / 6;
    return modules == 9 * characters + 10 && pattern.startsWith(QStringLiteral("101070")) &&
           pattern.endsWith(QStringLiteral("1010701"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korbena::fuzz::application();
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const QString text = korbena::fuzz::textFrom(mode, data + 1, size - 1, kTokens);

    korbena::EncodeOptions options;
    options.cd = (mode & 0x40) != 0;
    const korbena::Encoding encoding = korbena::encodeCode93(text, options);
    if (encoding.ok()) {
        if (!isCode93Pattern(encoding.pattern))
            __builtin_trap();
        const int c = encoding.cdn % 100;
        const int k = encoding.cdn / 100;
        if (c < 0 || c > 46 || k < 0 || k > 46)
            __builtin_trap();
        if (encoding.workSymbol != encoding.symbol || !encoding.workSymbol.startsWith(u'(') ||
            !encoding.workSymbol.endsWith(u')') || encoding.workSymbol.mid(1, text.size()) != text)
            __builtin_trap();
    } else if (!encoding.pattern.isEmpty() || encoding.cdn != -1 || !encoding.workSymbol.isEmpty()) {
        __builtin_trap();
    }

    if (text.size() > 200)
        return 0;
    korbena::BarImage image;
    korbena::configureMainWindowBarImage(image);
    image.SetBarType(korbena::cbarCODE93);
    image.SetCD(options.cd);
    image.SetSymbolDisp((mode & 0x80) != 0);
    image.SetCode(text);
    if (image.BarDisped() != encoding.ok())
        __builtin_trap();
    if (image.BarDisped() && (image.WorkSymbol() != encoding.workSymbol || image.CDN() != encoding.cdn))
        __builtin_trap();
    (void)image.CDC();
    return 0;
}
