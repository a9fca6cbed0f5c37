#pragma once

#include "sheet/SheetCatalogue.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace korbena {

// The label templates of the open label programs, read at run time from the XML
// files that Debian's glabels-data package installs (libglabels-3.0/templates in the
// system's data folders); nothing of them is shipped with this program.
//
// A template names its paper by id (size="A4", or size="Other" with width and
// height), its brand, part and description, and one label shape. Only rectangular
// labels laid out in one grid become layouts: round, elliptic and CD labels, and
// rectangles laid out in two or more grids (staggered sheets), are skipped, since a
// style holds exactly one grid of cells and printing a part of a sheet's labels would
// go unnoticed. Lengths carry their unit (pt, mm, cm, in, pc); a bare number is in
// points.

// A length of a template as millimetres; nothing when it does not read.
std::optional<double> glabelsLength(QStringView text);

// Paper sizes by id as millimetres (width, height), portrait.
using PaperSizes = std::map<QString, std::pair<double, double>>;

// The paper sizes of the paper-sizes.xml files (an unreadable file adds nothing);
// the common ids are known without one.
PaperSizes glabelsPaperSizes(const QStringList& paperFiles = {});

// A template that names another of the same brand for its labels ("equiv").
struct GlabelsEquivalent
{
    QString maker;
    QString partNumber;
    QString description;
    QString equivalentPart;
    QString source;
};

struct GlabelsFile
{
    std::vector<SheetLayout> layouts;
    std::vector<GlabelsEquivalent> equivalents;
    int skipped = 0; // templates that are not one grid of rectangles
    QString error;   // the XML fault that ended reading early, if any; what came before stays
};

// Reads one template file. A file that cannot be opened gives an error and nothing else.
GlabelsFile readGlabelsTemplateFile(const QString& path, const PaperSizes& papers);
// The same for the text of a file; `path` names it in the layouts' source.
GlabelsFile readGlabelsTemplates(const QByteArray& xmlText, const QString& path, const PaperSizes& papers);

// Layouts for the equivalents whose named template is among `layouts` (same maker);
// the others are dropped and counted in `unresolved`.
std::vector<SheetLayout> resolveEquivalents(const std::vector<SheetLayout>& layouts,
                                            const std::vector<GlabelsEquivalent>& equivalents,
                                            int& unresolved);

// The template folders present on this system: "libglabels-3.0/templates" under every
// generic data folder (XDG_DATA_HOME, XDG_DATA_DIRS).
QStringList glabelsTemplateFolders();

// The Windows paper code of a portrait paper size in millimetres, 0 when the paper
// list holds none of that size (within half a millimetre or so).
int paperCodeForSize(double width, double height);

} // namespace korbena
