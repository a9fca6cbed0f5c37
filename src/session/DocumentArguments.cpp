#include "session/DocumentArguments.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace korbena {

namespace {

bool startsLikeDataList(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(12) == "[DATA_LIST]=";
}

} // namespace

DocumentArguments documentArguments(const QStringList& args)
{
    DocumentArguments result;
    if (args.isEmpty())
        return result;
    if (args.size() > 1) {
        result.error = QStringLiteral("開くファイルは一つだけ指定してください");
        return result;
    }
    QString path = args.first();
    if (path.startsWith(QStringLiteral("file:"))) {
        const QUrl url(path);
        if (!url.isLocalFile()) {
            result.error = QStringLiteral("開けないファイルです: %1").arg(path);
            return result;
        }
        path = url.toLocalFile();
    }
    const QFileInfo info(path);
    if (!info.isFile()) {
        result.error = QStringLiteral("ファイルが見つかりません: %1").arg(path);
        return result;
    }
    const QString suffix = info.suffix().toLower();
    const QString absolute = info.absoluteFilePath();
    if (suffix == u"lst" || (suffix != u"kbz" && startsLikeDataList(absolute)))
        result.dataFile = absolute;
    else
        result.styleFile = absolute;
    return result;
}

} // namespace korbena
