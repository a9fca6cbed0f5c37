#pragma once

#include <QPageSize>
#include <QString>

#include <array>
#include <string_view>

namespace korbena {

// The papers a sheet can be printed on, by Windows paper code: entry k (1 to 118)
// names the paper whose code is k; entry 0 is the heading and stands for no choice,
// the printer's default paper. The names are shown to the user as they are.
inline constexpr int kPaperListCount = 119;
inline constexpr int kLastPaperCode = kPaperListCount - 1;

extern const std::array<std::string_view, kPaperListCount> PaperList;

// The text of an entry; entry 0's for a number outside the list.
QString PaperName(int entry);

// A paper code as an entry of the list: itself from 1 to 118, else 0.
constexpr int PaperEntry(int paperCode)
{
    return paperCode >= 1 && paperCode <= kLastPaperCode ? paperCode : 0;
}

// The size of the paper with the given code, its width and height as the code names
// them (a rotated paper has its long side across). Invalid for entry 0, for codes
// outside the list and for the few papers no size is known of.
QPageSize PaperPageSize(int paperCode);

} // namespace korbena
