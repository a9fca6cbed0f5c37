#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace korbena {

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tesselink/korbenaXe10");
}

QString InstallFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString DefaultStyleFile(const QString& dataFolder)
{
    return dataFolder + u'/' + kConfFolder + QStringLiteral("/KORBENA.dat");
}

QString DefaultDataFile(const QString& dataFolder)
{
    return dataFolder + u'/' + kConfFolder + QStringLiteral("/KORBENA.lst");
}

namespace {

void copyTemplates(const QString& from, const QString& to)
{
    const QDir source(from);
    const QStringList names = source.entryList(QDir::Files);
    for (const QString& name : names)
        QFile::copy(source.filePath(name), to + u'/' + name);
}

} // namespace

bool PrepareDataFolder(const QString& dataFolder, const QString& installFolder)
{
    if (!QDir().mkpath(dataFolder))
        return false;
    for (const QString& name : {kConfFolder, kStyleFolder, kBarImageFolder}) {
        const QString target = dataFolder + u'/' + name;
        if (QFileInfo::exists(target))
            continue;
        if (QDir().mkpath(target) && !installFolder.isEmpty())
            copyTemplates(installFolder + u'/' + name, target);
    }
    return true;
}

} // namespace korbena
