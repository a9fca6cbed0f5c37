#pragma once

#include <QPageSize>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace korbena {

class PrintTarget;

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

// Makes a paper of the list and an orientation the target's settings: entry 1 to 118
// sets that paper, 0 or any other number the target's default paper; orientation 0
// is portrait and any other index (-1, nothing chosen, included) landscape. Returns
// the entry's text for the paper field, or nothing when the target refused the
// settings and kept its own.
std::optional<QString> ApplyPaperSettings(PrintTarget& target, int entry, int orientation);

// The target's paper as a list entry and the orientation as the radio index: 1 for
// landscape, else 0. A paper the list does not hold (a custom size) reads as 0.
struct PrinterPaper
{
    int entry = 0;
    int orientation = 0;
    bool operator==(const PrinterPaper&) const = default;
};
PrinterPaper ReadPrinterPaper(const PrintTarget& target);

} // namespace korbena
