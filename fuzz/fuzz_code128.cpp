// Arbitrary Code text through encodeCode128 in both modes with any start character,
// and (for texts that fit a picture) through the whole paint pipeline of the main
// window's component: no crash, no sanitizer report, and every pattern is CODE-128's
// digit form: bars 1 3 5 7 and spaces 0 2 4 6 in turn from a bar, six
// elements per symbol and seven for the stop.
//
// The first byte picks the mode, the start character and how the rest becomes text:
// UTF-8, raw UTF-16 (lone surrogates included) or a sequence of syntax tokens, so
// that escapes, escapes cut short and switches turn up in bounded runs.
#include "FuzzSupport.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// clang-format off
constexpr std::array<const char*, 48> kTokens = {
    "<FNC1>", "<FNC2>", "<FNC3>", "<FNC4>", "<SHIFT>", "<CODEA>", "<CODEB>", "<CODEC>", "<", "<<", ">", ">>",
    "<FNC",   "<CODE",  "<SHI",   "<NUL>",  "<DEL>",   "<nul>",   "<fnc1>",  "<ENO>",   "0", "1",  "2", "3",
    "4",      "5",      "6",      "7",      "8",       "9",       "A",       "Z",       "a", "z",  "`", "~",
    " ",      "_",      "\t",     "\xc3\xa9", "<US>",  "<FNC5>",  "<>",      "<codea>", "{", "12", "123", "}",
};
// clang-format on

bool isCode128Pattern(const QString& pattern)
{
    if (pattern.size() < 6 * 3 + 7 || (pattern.size() - 7) % 6 != 0)
        return false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char16_t d = pattern[i].unicode();
        if (d < u'0' || d > u'7')
            return false;
        const bool bar = (d - u'0') % 2 == 1;
        // Each symbol starts with a bar; the stop's seventh element is a bar again.
        if (bar != (i % 6 % 2 == 0))
            return false;
    }
    return pattern.endsWith(QStringLiteral("3450103"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korbena::fuzz::application();
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const QString text = korbena::fuzz::textFrom(mode >> 3, data + 1, size - 1, kTokens);

    korbena::EncodeOptions options;
    options.automatic = (mode & 1) != 0;
    constexpr std::array<char16_t, 4> kStarts = {u'A', u'B', u'C', u'D'};
    options.startChar = QChar(kStarts[(mode >> 1) & 3]);

    const korbena::Encoding encoding = korbena::encodeCode128(text, options);
    if (!encoding.f128Code.has_value())
        __builtin_trap(); // F128Code is written even when the encoding fails
    if (encoding.ok()) {
        if (!isCode128Pattern(encoding.pattern))
            __builtin_trap();
        if (encoding.cdn < 0 || encoding.cdn > 102 || encoding.workSymbol.isEmpty())
            __builtin_trap();
        const QChar start = encoding.startChar.value_or(options.startChar);
        if (encoding.workSymbol.front() != start || (start != u'A' && start != u'B' && start != u'C'))
            __builtin_trap();
        if (!encoding.workSymbol.mid(1).startsWith(*encoding.f128Code))
            __builtin_trap();
    } else if (!encoding.pattern.isEmpty() || encoding.cdn != -1 || !encoding.workSymbol.isEmpty()) {
        __builtin_trap();
    }

    // The component: texts that fit a picture of a sensible width.
    if (text.size() > 200)
        return 0;
    korbena::BarImage image;
    korbena::configureMainWindowBarImage(image);
    image.SetBarType(korbena::cbarCODE128);
    image.SetAutomatic(options.automatic);
    image.SetStartChar(options.startChar);
    image.SetSymbolDisp((mode & 0x80) != 0);
    image.SetCode(text);
    if (image.BarDisped() != encoding.ok())
        __builtin_trap();
    if (image.BarDisped() &&
        (image.WorkSymbol() != encoding.workSymbol || image.StartChar() != image.WorkSymbol().front()))
        __builtin_trap();
    (void)image.CDC();
    return 0;
}
