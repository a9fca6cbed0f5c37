#pragma once

#include <QString>

#include <array>
#include <optional>

namespace korbena {

// The symbologies, numbered as the style file and the symbology list store them.
// Any other value selects no encoder.
enum TBarTypes : int {
    cbarJAN = 0,
    cbarUPC = 1,
    cbarCODE39 = 2,
    cbarNW7 = 3,
    cbarITF = 4,
    cbarCTF = 5,
    cbarIATA = 6,
    cbarMATRIX = 7,
    cbarNEC = 8,
    cbarCUSTOMER = 9,
    cbarCODE128 = 10,
    cbarCODE93 = 11,
    // Two-dimensional symbols and GS1-128 (CODE-128 carrying GS1 application identifiers).
    cbarQR = 12,
    cbarDATAMATRIX = 13,
    cbarPDF417 = 14,
    cbarGS1_128 = 15,
};

enum TLocation : int { locLeft = 0, locCenter = 1, locRight = 2 };

enum TPictures : int { picBMP = 0, picEMF = 1, picWMF = 2 };

// The names of the symbology list, in the order of TBarTypes.
inline constexpr std::array<const char*, 16> kBarTypeNames = {
    "JAN", "UPC",      "CODE-39",  "NW-7",    "ITF", "CTF",        "IATA",   "MATRIX",
    "NEC", "CUSTOMER", "CODE-128", "CODE-93", "QR",  "DATAMATRIX", "PDF417", "GS1-128",
};

// The bar type a symbology list name stands for, or nothing for an unknown name.
std::optional<TBarTypes> barTypeFromName(const QString& name);
QString barTypeName(TBarTypes type);

// Two-width symbologies draw a wide element at ElementRatio / 10 modules.
constexpr bool isTwoWidth(int type)
{
    return type >= cbarCODE39 && type <= cbarNEC;
}

} // namespace korbena
