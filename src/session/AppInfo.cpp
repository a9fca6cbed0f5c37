#include "session/AppInfo.h"

namespace korbena {

QString productVersion()
{
    return QStringLiteral(KORBENA_VERSION);
}

QString onlineHelpUrl()
{
    return QStringLiteral(KORBENA_HELP_URL);
}

QString homePageUrl()
{
    return QStringLiteral(KORBENA_HOME_URL);
}

QString versionLine()
{
    return QStringLiteral("%1 : %2").arg(QStringLiteral("ProductVersion"), -16).arg(productVersion());
}

} // namespace korbena
