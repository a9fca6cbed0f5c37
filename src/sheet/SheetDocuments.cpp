#include "sheet/SheetDocuments.h"

#include "document/DataFile.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "sheet/SymbologyRules.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace korbena {

namespace {

int dpiOf(qreal dpi)
{
    return dpi > 0 ? static_cast<int>(std::lround(dpi)) : 96;
}

} // namespace

QString missingTemplatesMessage(const QString& installFolder, const QString& dataFolder,
                                const QStringList& unfilled)
{
    return QStringLiteral("the shipped templates were not found in %1, so the working folder %2 "
                          "could not be filled (%3 missing); reinstall korbena: the next run that "
                          "finds the templates fills it")
        .arg(installFolder, dataFolder, unfilled.join(QStringLiteral(", ")));
}

int screenDpiX()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? dpiOf(screen->logicalDotsPerInchX()) : 96;
}

int screenDpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? dpiOf(screen->logicalDotsPerInchY()) : 96;
}

std::optional<SheetDocuments> loadSheetDocuments(const QString& styleFile, const QString& dataFile,
                                                 QString& error)
{
    SheetDocuments docs;
    docs.dataFolder = DataFolder();
    docs.installFolder = InstallFolder();
    QStringList unfilled;
    if (!PrepareDataFolder(docs.dataFolder, docs.installFolder, &unfilled)) {
        error = QStringLiteral("cannot create the working folder %1").arg(docs.dataFolder);
        return std::nullopt;
    }
    docs.styleFile = styleFile.isEmpty() ? DefaultStyleFile(docs.dataFolder) : styleFile;
    docs.dataFile = dataFile.isEmpty() ? DefaultDataFile(docs.dataFolder) : dataFile;
    for (const QString& path : {docs.styleFile, docs.dataFile}) {
        if (QFileInfo(path).isFile())
            continue;
        const bool isDefault =
            path == DefaultStyleFile(docs.dataFolder) || path == DefaultDataFile(docs.dataFolder);
        if (isDefault && unfilled.contains(kConfFolder))
            error = missingTemplatesMessage(docs.installFolder, docs.dataFolder, unfilled);
        else if (isDefault)
            // The user's conf is never refilled on its own, even when an earlier run left it empty.
            error = QStringLiteral("no such file: %1 (remove the folder %2 to have it made again "
                                   "from the shipped templates)")
                        .arg(path, docs.dataFolder + u'/' + kConfFolder);
        else
            error = QStringLiteral("no such file: %1").arg(path);
        return std::nullopt;
    }
    try {
        StyleFileExtras extras;
        applyStyleLines(readStyleFile(docs.styleFile), docs.style, extras, docs.styleFile);
        // The symbology decides the start and stop characters, as every style load does.
        ApplySymbologyRules(docs.style);
        docs.unshownRows = applyDataLines(readDataFile(docs.dataFile), docs.rows, docs.dataFile);
    } catch (const Error& e) {
        error = e.message();
        if (!e.detail().isEmpty())
            error += QStringLiteral(" (") + e.detail() + u')';
        return std::nullopt;
    }
    return docs;
}

} // namespace korbena
