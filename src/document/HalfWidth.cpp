#include "document/HalfWidth.h"

#include <algorithm>

namespace korbena {

namespace {

// The full-width forms of the printable ASCII characters sit at a fixed distance.
constexpr char16_t kFullWidthFirst = 0xFF01; // ！
constexpr char16_t kFullWidthLast = 0xFF5E;  // ～
constexpr char16_t kFullWidthShift = 0xFEE0;

bool isDashLike(char16_t c)
{
    switch (c) {
    case 0x30FC: // ー katakana prolonged sound mark, typed for a dash in Japanese text
    case 0xFF70: // ｰ its half-width form
    case 0x2010: // ‐ hyphen
    case 0x2011: // non-breaking hyphen
    case 0x2012: // figure dash
    case 0x2013: // – en dash
    case 0x2014: // — em dash
    case 0x2015: // ― horizontal bar
    case 0x2212: // − minus sign
        return true;
    default:
        return false;
    }
}

} // namespace

bool isFullWidthNumberChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= kFullWidthFirst && u <= kFullWidthLast) || isDashLike(u);
}

QChar toHalfWidthNumberChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= kFullWidthFirst && u <= kFullWidthLast)
        return QChar(static_cast<char16_t>(u - kFullWidthShift));
    if (isDashLike(u))
        return u'-';
    return c;
}

QString toHalfWidthNumber(QStringView text)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (const QChar c : text)
        *out++ = toHalfWidthNumberChar(c);
    return result;
}

bool hasFullWidthNumberChars(QStringView text)
{
    return std::any_of(text.begin(), text.end(), isFullWidthNumberChar);
}

int convertNumbersToHalfWidth(DataList& list, int firstRow, int lastRow)
{
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, list.RowCount() - 1);
    int changed = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const QString& number = list.number(row);
        if (!hasFullWidthNumberChars(number))
            continue;
        list.setNumber(row, toHalfWidthNumber(number));
        ++changed;
    }
    return changed;
}

} // namespace korbena
