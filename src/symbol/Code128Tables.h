#pragma once

// The CODE-128 symbol table: the name of each symbol value in code sets A, B and C
// and its bar and space widths, with the start and stop characters.

#include <array>
#include <cstddef>
#include <string_view>

namespace korbena::code128 {

enum class CodeSet { A = 0, B = 1, C = 2 };

struct SymbolRow
{
    std::string_view setA;   // name in code set A
    std::string_view setB;   // name in code set B
    std::string_view setC;   // name in code set C
    std::string_view widths; // bar, space, bar, space, bar, space in modules
};

inline constexpr std::size_t kSymbolCount = 103; // values 0 .. 102

// ISO/IEC 15417:2007, table 1 (symbol character set): value, the character of each
// code set and the element widths. The control characters of set A carry the names
// the user writes in escapes; value 69 is spelled "ENO" as Korbena's input syntax
// has it (ASCII ENQ).
inline constexpr std::array<SymbolRow, kSymbolCount> kSymbols = {{
    // value 0 .. 15
    {" ", " ", "00", "212222"},
    {"!", "!", "01", "222122"},
    {"\"", "\"", "02", "222221"},
    {"#", "#", "03", "121223"},
    {"$", "$", "04", "121322"},
    {"%", "%", "05", "131222"},
    {"&", "&", "06", "122213"},
    {"'", "'", "07", "122312"},
    {"(", "(", "08", "132212"},
    {")", ")", "09", "221213"},
    {"*", "*", "10", "221312"},
    {"+", "+", "11", "231212"},
    {",", ",", "12", "112232"},
    {"-", "-", "13", "122132"},
    {".", ".", "14", "122231"},
    {"/", "/", "15", "113222"},
    // value 16 .. 31
    {"0", "0", "16", "123122"},
    {"1", "1", "17", "123221"},
    {"2", "2", "18", "223211"},
    {"3", "3", "19", "221132"},
    {"4", "4", "20", "221231"},
    {"5", "5", "21", "213212"},
    {"6", "6", "22", "223112"},
    {"7", "7", "23", "312131"},
    {"8", "8", "24", "311222"},
    {"9", "9", "25", "321122"},
    {":", ":", "26", "321221"},
    {";", ";", "27", "312212"},
    {"<", "<", "28", "322112"},
    {"=", "=", "29", "322211"},
    {">", ">", "30", "212123"},
    {"?", "?", "31", "212321"},
    // value 32 .. 47
    {"@", "@", "32", "232121"},
    {"A", "A", "33", "111323"},
    {"B", "B", "34", "131123"},
    {"C", "C", "35", "131321"},
    {"D", "D", "36", "112313"},
    {"E", "E", "37", "132113"},
    {"F", "F", "38", "132311"},
    {"G", "G", "39", "211313"},
    {"H", "H", "40", "231113"},
    {"I", "I", "41", "231311"},
    {"J", "J", "42", "112133"},
    {"K", "K", "43", "112331"},
    {"L", "L", "44", "132131"},
    {"M", "M", "45", "113123"},
    {"N", "N", "46", "113321"},
    {"O", "O", "47", "133121"},
    // value 48 .. 63
    {"P", "P", "48", "313121"},
    {"Q", "Q", "49", "211331"},
    {"R", "R", "50", "231131"},
    {"S", "S", "51", "213113"},
    {"T", "T", "52", "213311"},
    {"U", "U", "53", "213131"},
    {"V", "V", "54", "311123"},
    {"W", "W", "55", "311321"},
    {"X", "X", "56", "331121"},
    {"Y", "Y", "57", "312113"},
    {"Z", "Z", "58", "312311"},
    {"[", "[", "59", "332111"},
    {"\\", "\\", "60", "314111"},
    {"]", "]", "61", "221411"},
    {"^", "^", "62", "431111"},
    {"_", "_", "63", "111224"},
    // value 64 .. 79
    {"NUL", "`", "64", "111422"},
    {"SOH", "a", "65", "121124"},
    {"STX", "b", "66", "121421"},
    {"ETX", "c", "67", "141122"},
    {"EOT", "d", "68", "141221"},
    {"ENO", "e", "69", "112214"},
    {"ACK", "f", "70", "112412"},
    {"BEL", "g", "71", "122114"},
    {"BS", "h", "72", "122411"},
    {"HT", "i", "73", "142112"},
    {"LF", "j", "74", "142211"},
    {"VT", "k", "75", "241211"},
    {"FF", "l", "76", "221114"},
    {"CR", "m", "77", "413111"},
    {"SO", "n", "78", "241112"},
    {"SI", "o", "79", "134111"},
    // value 80 .. 95
    {"DLE", "p", "80", "111242"},
    {"DC1", "q", "81", "121142"},
    {"DC2", "r", "82", "121241"},
    {"DC3", "s", "83", "114212"},
    {"DC4", "t", "84", "124112"},
    {"NAK", "u", "85", "124211"},
    {"SYN", "v", "86", "411212"},
    {"ETB", "w", "87", "421112"},
    {"CAN", "x", "88", "421211"},
    {"EM", "y", "89", "212141"},
    {"SUB", "z", "90", "214121"},
    {"ESC", "{", "91", "412121"},
    {"FS", "|", "92", "111143"},
    {"GS", "}", "93", "111341"},
    {"RS", "~", "94", "131141"},
    {"US", "DEL", "95", "114113"},
    // value 96 .. 102: function, shift and code-set characters
    {"FNC3", "FNC3", "96", "114311"},
    {"FNC2", "FNC2", "97", "411113"},
    {"SHIFT", "SHIFT", "98", "411311"},
    {"CODEC", "CODEC", "99", "113141"},
    {"CODEB", "FNC4", "CODEB", "114131"},
    {"FNC4", "CODEA", "CODEA", "311141"},
    {"FNC1", "FNC1", "FNC1", "411131"},
}};

// ISO/IEC 15417:2007, table 1: START A (103), START B (104), START C (105), and the
// stop character of 13 modules (the stop pattern of 11 and the termination bar).
inline constexpr std::array<std::string_view, 3> kStartWidths = {"211412", "211214", "211232"};
inline constexpr std::array<int, 3> kStartValues = {103, 104, 105};
inline constexpr std::string_view kStopWidths = "2331112";

// Symbol values whose names switch the code set or shift it (ISO/IEC 15417, 4.3.4).
inline constexpr int kShiftValue = 98;

constexpr std::string_view nameIn(CodeSet set, const SymbolRow& row)
{
    switch (set) {
    case CodeSet::A:
        return row.setA;
    case CodeSet::B:
        return row.setB;
    case CodeSet::C:
        break;
    }
    return row.setC;
}

constexpr int moduleCount(std::string_view widths)
{
    int sum = 0;
    for (const char w : widths)
        sum += w - '0';
    return sum;
}

constexpr int barModuleCount(std::string_view widths)
{
    int sum = 0;
    for (std::size_t i = 0; i < widths.size(); i += 2)
        sum += widths[i] - '0';
    return sum;
}

// The element digit of a width: a bar of w modules is 2w - 1, a space 2w - 2
// (ElementPattern). Elements alternate bar, space, ... from a bar.
constexpr char elementDigit(std::size_t index, char width)
{
    const int w = width - '0';
    return static_cast<char>('0' + (index % 2 == 0 ? 2 * w - 1 : 2 * w - 2));
}

// Every symbol character is 11 modules of three bars and three spaces, each 1 to 4
// modules wide, with an even number of bar modules (ISO/IEC 15417, 4.2 and 4.3.1).
constexpr bool tableIsWellFormed()
{
    for (const SymbolRow& row : kSymbols) {
        if (row.widths.size() != 6 || moduleCount(row.widths) != 11 || barModuleCount(row.widths) % 2 != 0)
            return false;
        for (const char w : row.widths) {
            if (w < '1' || w > '4')
                return false;
        }
        if (row.setA.empty() || row.setB.empty() || row.setC.empty())
            return false;
    }
    for (const std::string_view start : kStartWidths) {
        if (start.size() != 6 || moduleCount(start) != 11 || barModuleCount(start) % 2 != 0)
            return false;
    }
    return kStopWidths.size() == 7 && moduleCount(kStopWidths) == 13;
}
static_assert(tableIsWellFormed(), "CODE-128 symbol characters are 11 modules with even bar parity");

// No two values share a name within one code set, so the first match of a lookup
// is the only one.
constexpr bool namesAreUnique()
{
    for (const CodeSet set : {CodeSet::A, CodeSet::B, CodeSet::C}) {
        for (std::size_t i = 0; i < kSymbols.size(); ++i) {
            for (std::size_t j = i + 1; j < kSymbols.size(); ++j) {
                if (nameIn(set, kSymbols[i]) == nameIn(set, kSymbols[j]))
                    return false;
            }
        }
    }
    return true;
}
static_assert(namesAreUnique(), "a name occurs twice in one code set");

// The row order of the printable characters follows ASCII: value v is the
// character 32 + v in sets A and B (up to 63 and 94) and "vv" in set C (up to 99).
constexpr bool printableRowsFollowAscii()
{
    for (std::size_t v = 0; v < kSymbols.size(); ++v) {
        const SymbolRow& row = kSymbols[v];
        const char ch = static_cast<char>(32 + v);
        if (v < 64 && (row.setA.size() != 1 || row.setA[0] != ch))
            return false;
        if (v < 95 && (row.setB.size() != 1 || row.setB[0] != ch))
            return false;
        if (v < 100 &&
            (row.setC.size() != 2 || row.setC[0] != char('0' + v / 10) || row.setC[1] != char('0' + v % 10)))
            return false;
    }
    return true;
}
static_assert(printableRowsFollowAscii(), "rows out of ASCII order");

} // namespace korbena::code128
