#pragma once

#include <QString>
#include <QStringList>

namespace korbena {

// The working folder the program keeps its files in: the desktop's data location
// followed by "/tesselink/korbenaXe10" (on Linux ~/.local/share or $XDG_DATA_HOME).
// Paths use "/".
QString DataFolder();

// The folder the templates conf, style and barimage and the manual are shipped in:
// the running executable's folder when it holds conf (the build tree, where the build
// copies them beside the programs), otherwise <prefix>/share/korbena found relative to
// the executable's folder <prefix>/bin.
QString InstallFolder();

// InstallFolder for an executable in `executableFolder`. When neither place holds
// conf it is still the shared folder, so that a message names where templates belong.
QString installFolderFor(const QString& executableFolder);

// The subfolders of the working folder.
inline const QString kConfFolder = QStringLiteral("conf");
inline const QString kStyleFolder = QStringLiteral("style");
inline const QString kBarImageFolder = QStringLiteral("barimage");
inline const QString kListDataFolder = QStringLiteral("listdata");

// The default style and data list in a working folder's conf.
QString DefaultStyleFile(const QString& dataFolder);
QString DefaultDataFile(const QString& dataFolder);

// Makes the working folder ready: creates it with every missing parent, then for
// conf, style and barimage, in that order, a subfolder that does not exist is
// created holding every file of the same subfolder of `installFolder` (files only).
// A subfolder that exists, even empty, is left alone, so the user's files are never
// replaced; listdata is not created.
// A subfolder appears only once all its files are copied: when the templates are not
// found or a copy fails, it is not created at all and its name goes to `unfilled`, so
// that a later run that finds the templates fills it. Returns false only when the
// working folder itself cannot be created.
bool PrepareDataFolder(const QString& dataFolder, const QString& installFolder,
                       QStringList* unfilled = nullptr);

} // namespace korbena
