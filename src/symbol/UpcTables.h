#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace korbena::upc {

// EAN/UPC number sets, GS1 General Specifications (ISO/IEC 15420 table 1):
// one text of 7 modules per digit, '1' a bar module, '0' a space module. Set A is
// the odd set, set B the even set, set C the right-half set.
inline constexpr std::array<std::string_view, 10> kSetA = {
    "0001101", "0011001", "0010011", "0111101", "0100011", //  0 .. 4
    "0110001", "0101111", "0111011", "0110111", "0001011", //  5 .. 9
};
inline constexpr std::array<std::string_view, 10> kSetB = {
    "0100111", "0110011", "0011011", "0100001", "0011101", //  0 .. 4
    "0111001", "0000101", "0010001", "0001001", "0010111", //  5 .. 9
};
inline constexpr std::array<std::string_view, 10> kSetC = {
    "1110010", "1100110", "1101100", "1000010", "1011100", //  0 .. 4
    "1001110", "1010000", "1000100", "1001000", "1110100", //  5 .. 9
};

// Number sets of the six UPC-E symbol digits by the implied check digit, number
// system 0 (GS1 General Specifications, UPC-E symbol character set selection):
// 'A' set A (odd), 'B' set B (even).
inline constexpr std::array<std::string_view, 10> kUpcEParity = {
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA", //  0 .. 4
    "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB", //  5 .. 9
};

inline constexpr std::string_view kStartGuard = "101";
inline constexpr std::string_view kCentreGuard = "01010";
// UPC-A: the end guard followed by one space module, as EAN-13 has it.
inline constexpr std::string_view kUpcAEnd = "1010";
// UPC-E: its six-module end guard "010101" followed by one space module.
inline constexpr std::string_view kUpcEEnd = "0101010";

constexpr bool setsAreConsistent()
{
    for (std::size_t d = 0; d < 10; ++d) {
        for (std::size_t m = 0; m < 7; ++m) {
            if ((kSetA[d][m] == '1') == (kSetC[d][m] == '1'))
                return false;
            if (kSetB[d][m] != kSetC[d][6 - m])
                return false;
        }
    }
    return true;
}
static_assert(setsAreConsistent(), "set C must be set A inverted and set B set C reversed");

// Each parity row mixes three odd and three even characters, and no two rows are
// alike, so the check digit can be read back from the sets alone.
constexpr bool parityRowsAreDistinct()
{
    for (std::size_t i = 0; i < kUpcEParity.size(); ++i) {
        int odd = 0;
        for (const char c : kUpcEParity[i])
            odd += c == 'A' ? 1 : 0;
        if (kUpcEParity[i].size() != 6 || odd != 3)
            return false;
        for (std::size_t j = i + 1; j < kUpcEParity.size(); ++j) {
            if (kUpcEParity[i] == kUpcEParity[j])
                return false;
        }
    }
    return true;
}
static_assert(parityRowsAreDistinct(), "UPC-E parity rows: three of each set, all different");

} // namespace korbena::upc
