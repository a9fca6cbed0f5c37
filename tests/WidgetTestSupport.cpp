#include "WidgetTestSupport.h"

#include <QDir>

namespace korbena::test {

QString artifactPath(const QString& fileName)
{
    const QDir dir(QStringLiteral(KORBENA_ARTIFACTS_DIR));
    dir.mkpath(QStringLiteral("."));
    return dir.filePath(fileName);
}

} // namespace korbena::test
