#include "symbol/BarTypes.h"

namespace korbena {

std::optional<TBarTypes> barTypeFromName(const QString& name)
{
    for (std::size_t i = 0; i < kBarTypeNames.size(); ++i) {
        if (name.compare(QLatin1String(kBarTypeNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<TBarTypes>(i);
    }
    return std::nullopt;
}

QString barTypeName(TBarTypes type)
{
    const auto i = static_cast<std::size_t>(type);
    return i < kBarTypeNames.size() ? QLatin1String(kBarTypeNames[i]) : QString();
}

} // namespace korbena
