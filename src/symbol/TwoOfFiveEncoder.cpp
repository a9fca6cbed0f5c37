#include "symbol/EncoderText.h"
#include "symbol/Encoders.h"

#include <array>
#include <string_view>

namespace korbena {

namespace {

using DigitTable = std::array<std::string_view, 10>;

// The two-of-five digit code: five elements, two of them wide (w) and three narrow
// (n), as ISO/IEC 16390 gives it for interleaved 2 of 5 and the industrial, IATA
// and matrix variants share it.
constexpr DigitTable kTwoOfFive = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", //  0 .. 4
    "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn", //  5 .. 9
};

// NEC 2 of 5 assigns the same ten codes to other digits.
constexpr DigitTable kNecCode = {
    "wwnnn", "nnnww", "nnwnw", "nnwwn", "nwnnw", //  0 .. 4
    "nwnwn", "nwwnn", "wnnnw", "wnnwn", "wnwnn", //  5 .. 9
};

constexpr bool codesAreTwoOfFive(const DigitTable& codes)
{
    for (std::size_t d = 0; d < codes.size(); ++d) {
        int wide = 0;
        for (const char c : codes[d])
            wide += c == 'w' ? 1 : 0;
        if (codes[d].size() != 5 || wide != 2)
            return false;
        for (std::size_t e = d + 1; e < codes.size(); ++e) {
            if (codes[d] == codes[e])
                return false;
        }
    }
    return true;
}
static_assert(codesAreTwoOfFive(kTwoOfFive), "two of five elements wide, ten different codes");
static_assert(codesAreTwoOfFive(kNecCode), "NEC: two of five elements wide, ten different codes");

// --- the entries of each member, derived from the codes ---

template <std::size_t N> using Entry = std::array<char, N>;
template <std::size_t N> using EntryTable = std::array<Entry<N>, 10>;

constexpr char barDigit(char element)
{
    return element == 'w' ? '3' : '1';
}

constexpr char spaceDigit(char element)
{
    return element == 'w' ? '2' : '0';
}

// Industrial and IATA 2 of 5: the five elements of a digit are bars, each followed
// by a narrow space.
constexpr EntryTable<10> barsOnlyEntries(const DigitTable& codes)
{
    EntryTable<10> table{};
    for (std::size_t d = 0; d < 10; ++d) {
        for (std::size_t k = 0; k < 5; ++k) {
            table[d][2 * k] = barDigit(codes[d][k]);
            table[d][2 * k + 1] = '0';
        }
    }
    return table;
}

// Matrix and NEC 2 of 5: bar, space, bar, space, bar, then the narrow gap.
constexpr EntryTable<6> matrixEntries(const DigitTable& codes)
{
    EntryTable<6> table{};
    for (std::size_t d = 0; d < 10; ++d) {
        for (std::size_t k = 0; k < 5; ++k)
            table[d][k] = k % 2 == 0 ? barDigit(codes[d][k]) : spaceDigit(codes[d][k]);
        table[d][5] = '0';
    }
    return table;
}

// Interleaved 2 of 5, ISO/IEC 16390: a pair of digits is five bars from the first
// and five spaces from the second, taken in turn; entry 10 x first + second.
constexpr std::array<Entry<10>, 100> interleavedPairs(const DigitTable& codes)
{
    std::array<Entry<10>, 100> pairs{};
    for (std::size_t first = 0; first < 10; ++first) {
        for (std::size_t second = 0; second < 10; ++second) {
            for (std::size_t k = 0; k < 5; ++k) {
                pairs[10 * first + second][2 * k] = barDigit(codes[first][k]);
                pairs[10 * first + second][2 * k + 1] = spaceDigit(codes[second][k]);
            }
        }
    }
    return pairs;
}

constexpr auto kBarsOnlyStorage = barsOnlyEntries(kTwoOfFive);
constexpr auto kMatrixStorage = matrixEntries(kTwoOfFive);
constexpr auto kNecStorage = matrixEntries(kNecCode);
constexpr auto kItfPairs = interleavedPairs(kTwoOfFive);

template <std::size_t N> constexpr std::string_view view(const Entry<N>& entry)
{
    return std::string_view(entry.data(), N);
}

template <std::size_t N> constexpr DigitTable views(const EntryTable<N>& table)
{
    DigitTable result{};
    for (std::size_t d = 0; d < 10; ++d)
        result[d] = view(table[d]);
    return result;
}

constexpr DigitTable kBarsOnly = views(kBarsOnlyStorage);
constexpr DigitTable kMatrixEntries = views(kMatrixStorage);
constexpr DigitTable kNecEntries = views(kNecStorage);

// The derived entries are the published ones, digit 0 to 9 in a row.
constexpr bool entriesRead(const DigitTable& entries, std::string_view published)
{
    for (std::size_t d = 0; d < 10; ++d) {
        if (entries[d] != published.substr(d * entries[d].size(), entries[d].size()))
            return false;
    }
    return true;
}
static_assert(entriesRead(kBarsOnly, "1010303010"
                                     "3010101030"
                                     "1030101030"
                                     "3030101010"
                                     "1010301030"
                                     "3010301010"
                                     "1030301010"
                                     "1010103030"
                                     "3010103010"
                                     "1030103010"),
              "industrial and IATA entries");
static_assert(entriesRead(kMatrixEntries, "103210"
                                          "301030"
                                          "121030"
                                          "321010"
                                          "103030"
                                          "303010"
                                          "123010"
                                          "101230"
                                          "301210"
                                          "121210"),
              "matrix entries");
static_assert(entriesRead(kNecEntries, "321010"
                                       "101230"
                                       "103030"
                                       "103210"
                                       "121030"
                                       "121210"
                                       "123010"
                                       "301030"
                                       "301210"
                                       "303010"),
              "NEC entries");
static_assert(view(kItfPairs[12]) == "3012101032" && view(kItfPairs[0]) == "1010323210", "ITF pairs 12, 00");

// --- one core for the family ---

enum class CheckDigit { Optional, Always };

// How one member of the family writes its digits: interleaved pairs, or one
// table entry per digit between its start and stop.
struct TwoOfFiveLayout
{
    std::string_view start;
    std::string_view stop;
    const DigitTable* digits; // nullptr: interleaved pairs
    CheckDigit check;
    std::size_t entryLength;
};

constexpr TwoOfFiveLayout kItf{"1010", "301", nullptr, CheckDigit::Optional, 5};
constexpr TwoOfFiveLayout kCtf{"303010", "30103", &kBarsOnly, CheckDigit::Optional, 10};
constexpr TwoOfFiveLayout kIata{"1010", "301", &kBarsOnly, CheckDigit::Always, 10};
constexpr TwoOfFiveLayout kMatrix{"301010", "30101", &kMatrixEntries, CheckDigit::Optional, 6};
constexpr TwoOfFiveLayout kNec{"3030", "123", &kNecEntries, CheckDigit::Optional, 6};

void appendPair(ElementPattern& p, std::size_t first, std::size_t second)
{
    appendElements(p, view(kItfPairs[10 * first + second]));
}

Encoding encodeTwoOfFive(const QString& code, bool cd, const TwoOfFiveLayout& layout)
{
    Encoding result;
    if (code.isEmpty() || !allAsciiDigits(code))
        return result;

    const bool addCheck = layout.check == CheckDigit::Always || cd;
    const bool interleaved = layout.digits == nullptr;
    QString data = code;
    // Interleaving takes digits in pairs: a leading 0 evens out the count, check digit included.
    if (interleaved && (code.size() + (addCheck ? 1 : 0)) % 2 != 0)
        data.prepend(u'0');
    if (addCheck) {
        result.cdn = Mod10CheckDigit(data);
        data.append(QChar(u'0' + result.cdn));
    }

    ElementPattern& p = result.pattern;
    p.reserve(layout.start.size() + data.size() * layout.entryLength + layout.stop.size());
    appendElements(p, layout.start);
    if (interleaved) {
        for (qsizetype i = 0; i + 1 < data.size(); i += 2)
            appendPair(p, digitValue(data[i]), digitValue(data[i + 1]));
    } else {
        for (const QChar c : data)
            appendElements(p, (*layout.digits)[digitValue(c)]);
    }
    appendElements(p, layout.stop);

    result.workSymbol = data;
    result.symbol = data;
    return result;
}

} // namespace

Encoding encodeItf(const QString& code, const EncodeOptions& options)
{
    return encodeTwoOfFive(code, options.cd, kItf);
}

Encoding encodeCtf(const QString& code, const EncodeOptions& options)
{
    return encodeTwoOfFive(code, options.cd, kCtf);
}

Encoding encodeIata(const QString& code, const EncodeOptions& options)
{
    return encodeTwoOfFive(code, options.cd, kIata);
}

Encoding encodeMatrix(const QString& code, const EncodeOptions& options)
{
    return encodeTwoOfFive(code, options.cd, kMatrix);
}

Encoding encodeNec(const QString& code, const EncodeOptions& options)
{
    return encodeTwoOfFive(code, options.cd, kNec);
}

} // namespace korbena
