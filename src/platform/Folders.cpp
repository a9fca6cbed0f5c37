#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace korbena {

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tesselink/korbenaXe10");
}

#ifndef KORBENA_SHARED_FOLDER_FROM_BIN
#define KORBENA_SHARED_FOLDER_FROM_BIN "../share/korbena"
#endif

QString installFolderFor(const QString& executableFolder)
{
    if (QFileInfo(executableFolder + u'/' + kConfFolder).isDir())
        return executableFolder;
    return QDir::cleanPath(executableFolder + QStringLiteral("/" KORBENA_SHARED_FOLDER_FROM_BIN));
}

QString InstallFolder()
{
    return installFolderFor(QCoreApplication::applicationDirPath());
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

// Copies every file of `from` into a new folder `to`. The files are gathered in a
// hidden folder beside `to` that is renamed into place once complete, so `to` never
// exists half filled, and a run cut short leaves nothing that a later run would
// take for the user's own folder.
bool copyTemplates(const QString& from, const QString& to)
{
    const QDir source(from);
    if (from.isEmpty() || !QFileInfo(from).isDir() || !source.isReadable())
        return false;
    const QFileInfo target(to);
    QTemporaryDir staging(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                          QStringLiteral("-XXXXXX"));
    if (!staging.isValid())
        return false;
    const QStringList names = source.entryList(QDir::Files);
    for (const QString& name : names) {
        const QString copy = staging.filePath(name);
        if (!QFile::copy(source.filePath(name), copy))
            return false;
        // Shipped files may be read-only; the user's copies are theirs to change.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    }
    if (QDir().rename(staging.path(), to)) {
        staging.setAutoRemove(false);
        return true;
    }
    // Another run may have put the folder in place meanwhile.
    return QFileInfo(to).isDir();
}

} // namespace

bool PrepareDataFolder(const QString& dataFolder, const QString& installFolder, QStringList* unfilled)
{
    if (!QDir().mkpath(dataFolder))
        return false;
    for (const QString& name : {kConfFolder, kStyleFolder, kBarImageFolder}) {
        const QString target = dataFolder + u'/' + name;
        if (QFileInfo::exists(target))
            continue;
        const QString source = installFolder.isEmpty() ? QString() : installFolder + u'/' + name;
        if (!copyTemplates(source, target) && unfilled)
            unfilled->append(name);
    }
    return true;
}

} // namespace korbena
