#pragma once

#include "document/DataList.h"

#include <QString>
#include <QStringView>

namespace korbena {

// Barcode numbers copied from Japanese documents often come in full-width forms that
// no symbology encodes. These turn the full-width forms of the ASCII characters
// (U+FF01 to U+FF5E: digits, letters and the signs CODE-39 and CODE-93 take, such as
// ＄ ／ ＋ ％ ．) into ASCII, and the dash-like characters ー － ‐ ‑ ‒ – — ― − ｰ into "-".
// Nothing else changes.
bool isFullWidthNumberChar(QChar c);
QChar toHalfWidthNumberChar(QChar c);
QString toHalfWidthNumber(QStringView text);

// Whether a number holds a character the clean-up would change: the check before
// printing offers the clean-up when a row has one.
bool hasFullWidthNumberChars(QStringView text);

// The clean-up over the barcode numbers of rows firstRow to lastRow (clamped to the
// data rows); titles are never touched. Returns how many rows changed.
int convertNumbersToHalfWidth(DataList& list, int firstRow, int lastRow);

} // namespace korbena
