#pragma once

#include <QString>

namespace korbena {

// The working folder the program keeps its files in: the desktop's data location
// followed by "/tesselink/korbenaXe10" (on Linux ~/.local/share or $XDG_DATA_HOME).
// Paths use "/".
QString DataFolder();

// The folder of the running executable, where the templates conf, style and
// barimage and the manual are shipped.
QString InstallFolder();

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
// created and every file of the same subfolder of `installFolder` is copied into it
// (files only). A subfolder that exists, even empty, is left alone, so the user's
// files are never replaced; listdata is not created. A failed copy is not reported:
// the folder then exists, possibly empty, and is not filled again. Returns false
// only when the working folder itself cannot be created.
bool PrepareDataFolder(const QString& dataFolder, const QString& installFolder);

} // namespace korbena
