// Arbitrary GS1 text through the application-identifier checks and GS1-128: no
// crash, no sanitizer report; a string the table accepts encodes as GS1-128 exactly
// when its transmitted form fits 48 characters, and the encoding starts with FNC1.
#include "FuzzSupport.h"
#include "symbol/Gs1.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// clang-format off
constexpr std::array<const char*, 32> kTokens = {
    "(01)", "(00)", "(10)", "(17)", "(21)", "(91)", "(3103)", "(7006)", "(", ")", "(9", "0", "1", "4", "9",
    "04912345678904", "270101", "A", "z", "<", ">", "<<", "!", " ", "\xe6\xbc\xa2", "(8200)", "(253)",
    "(99)", "(01)0", "()", "(12345)", "\x1d",
};
// clang-format on

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    korbena::fuzz::application();
    if (size == 0)
        return 0;
    const QString text = korbena::fuzz::textFrom(data[0], data + 1, size - 1, kTokens);
    const korbena::Gs1Reading reading = korbena::readGs1(text);
    if (!reading.ok() && reading.error.isEmpty())
        __builtin_trap();
    const korbena::Encoding encoding = korbena::encodeGs1_128(text);
    const bool fits = reading.ok() && korbena::gs1Transmitted(reading.elements).size() <= 48;
    if (encoding.ok() != fits)
        __builtin_trap();
    if (encoding.ok() && (!encoding.workSymbol.contains(QStringLiteral("<FNC1>")) || encoding.symbol != text))
        __builtin_trap();
    return 0;
}
