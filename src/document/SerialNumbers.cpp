#include "document/SerialNumbers.h"

#include <QStringBuilder>

namespace korbena {

std::optional<QString> serialNumberText(const SerialSettings& settings, std::int64_t n)
{
    const QString digits = QString::number(n);
    if (settings.width <= 0)
        return settings.header % digits % settings.footer;
    const qsizetype pad = settings.width - digits.size();
    if (pad < 0 || pad > 20)
        return std::nullopt;
    return settings.header % QString(pad, u'0') % digits % settings.footer;
}

void SerializeRows(DataList& grid, int top, const SerialSettings& settings)
{
    if (top < 1)
        return; // the header row is no data row
    for (long long i = 0;; ++i) {
        const long long row = top + i;
        if (row > grid.RowCount() - 1 || grid.title(static_cast<int>(row)).isEmpty())
            return;
        std::int64_t n = 0;
        // A number past the 64-bit range is far too long for any width.
        if (__builtin_add_overflow(settings.start, i, &n))
            continue;
        if (auto text = serialNumberText(settings, n))
            grid.setNumber(static_cast<int>(row), std::move(*text));
    }
}

} // namespace korbena
