#pragma once

#include "document/DataList.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace korbena {

// What the serial-number dialog holds; the initial values are the dialog's.
struct SerialSettings
{
    QString header = QStringLiteral("001");
    QString footer = QStringLiteral("-01");
    std::int64_t start = 1; // the integer part of the start value
    // The characters the number is padded to with leading zeros, as the chosen button
    // says ("5桁": 5); 0 for "桁調整なし", which writes the number as it is.
    int width = 5;

    bool operator==(const SerialSettings&) const = default;
};

// The barcode number of one row: header, zeros, the number and footer, or nothing
// when the number has more characters than the padded width. A minus sign counts as
// a character.
std::optional<QString> serialNumberText(const SerialSettings& settings, std::int64_t n);

// Numbers the rows from `top` down to the last data row, stopping at the first
// untitled row: row top + i gets serialNumberText(start + i). Rows whose number
// does not fit the width keep their barcode number, and the count goes on.
void SerializeRows(DataList& grid, int top, const SerialSettings& settings);

} // namespace korbena
