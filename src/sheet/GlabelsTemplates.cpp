#include "sheet/GlabelsTemplates.h"

#include "sheet/PaperList.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QSizeF>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <cmath>

namespace korbena {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;

// Ids common enough to be known when no paper-sizes.xml is found.
const PaperSizes& knownPapers()
{
    static const PaperSizes papers{
        {QStringLiteral("A3"), {297, 420}},           {QStringLiteral("A4"), {210, 297}},
        {QStringLiteral("A5"), {148, 210}},           {QStringLiteral("A6"), {105, 148}},
        {QStringLiteral("B5"), {176, 250}},           {QStringLiteral("US-Letter"), {215.9, 279.4}},
        {QStringLiteral("US-Legal"), {215.9, 355.6}}, {QStringLiteral("US-Executive"), {184.15, 266.7}},
    };
    return papers;
}

QString attribute(const QXmlStreamReader& xml, QLatin1StringView name)
{
    return xml.attributes().value(name).toString();
}

std::optional<double> lengthAttribute(const QXmlStreamReader& xml, QLatin1StringView name)
{
    const auto attributes = xml.attributes();
    if (!attributes.hasAttribute(name))
        return std::nullopt;
    return glabelsLength(attributes.value(name));
}

// The description, translatable ("_description") or not.
QString description(const QXmlStreamReader& xml)
{
    const auto attributes = xml.attributes();
    if (attributes.hasAttribute(QLatin1StringView("description")))
        return attributes.value(QLatin1StringView("description")).toString();
    return attributes.value(QLatin1StringView("_description")).toString();
}

struct TemplateReading
{
    SheetLayout layout;
    bool paperKnown = false;
    int labels = 0;     // label elements of any shape
    int rectangles = 0; // of them rectangles
    int grids = 0;      // Layout elements of the rectangle
    bool gridValid = true;
};

void readLayout(const QXmlStreamReader& xml, TemplateReading& t)
{
    ++t.grids;
    if (t.grids > 1)
        return;
    bool nxOk = false;
    bool nyOk = false;
    t.layout.across = attribute(xml, QLatin1StringView("nx")).toInt(&nxOk);
    t.layout.down = attribute(xml, QLatin1StringView("ny")).toInt(&nyOk);
    const auto x0 = lengthAttribute(xml, QLatin1StringView("x0"));
    const auto y0 = lengthAttribute(xml, QLatin1StringView("y0"));
    const auto dx = lengthAttribute(xml, QLatin1StringView("dx"));
    const auto dy = lengthAttribute(xml, QLatin1StringView("dy"));
    // A template file is data from outside: counts a sheet cannot have are refused.
    constexpr int kMostLabels = 10000;
    t.gridValid = nxOk && nyOk && t.layout.across >= 1 && t.layout.down >= 1 &&
                  t.layout.across <= kMostLabels && t.layout.down <= kMostLabels && x0 && y0 && dx && dy;
    if (t.gridValid) {
        t.layout.firstX = *x0;
        t.layout.firstY = *y0;
        t.layout.pitchX = *dx;
        t.layout.pitchY = *dy;
    }
}

void readTemplateStart(const QXmlStreamReader& xml, TemplateReading& t, const PaperSizes& papers)
{
    t.layout.maker = attribute(xml, QLatin1StringView("brand"));
    t.layout.partNumber = attribute(xml, QLatin1StringView("part"));
    t.layout.description = description(xml);
    const QString size = attribute(xml, QLatin1StringView("size"));
    if (size == u"Other") {
        const auto width = lengthAttribute(xml, QLatin1StringView("width"));
        const auto height = lengthAttribute(xml, QLatin1StringView("height"));
        if (width && height && *width > 0 && *height > 0) {
            t.layout.paperWidth = *width;
            t.layout.paperHeight = *height;
            t.paperKnown = true;
        }
    } else if (const auto it = papers.find(size); it != papers.end()) {
        t.layout.paperWidth = it->second.first;
        t.layout.paperHeight = it->second.second;
        t.paperKnown = true;
    }
    if (t.paperKnown)
        t.layout.paperCode = paperCodeForSize(t.layout.paperWidth, t.layout.paperHeight);
}

} // namespace

std::optional<double> glabelsLength(QStringView text)
{
    text = text.trimmed();
    struct Unit
    {
        QLatin1StringView suffix;
        double millimetres;
    };
    static const Unit units[] = {
        {QLatin1StringView("pt"), kMillimetresPerPoint},
        {QLatin1StringView("mm"), 1.0},
        {QLatin1StringView("cm"), 10.0},
        {QLatin1StringView("in"), 25.4},
        {QLatin1StringView("pc"), 12 * kMillimetresPerPoint},
    };
    double scale = kMillimetresPerPoint;
    for (const Unit& unit : units) {
        if (text.endsWith(unit.suffix)) {
            text.chop(unit.suffix.size());
            scale = unit.millimetres;
            break;
        }
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e6)
        return std::nullopt;
    return value * scale;
}

PaperSizes glabelsPaperSizes(const QStringList& paperFiles)
{
    PaperSizes papers = knownPapers();
    for (const QString& path : paperFiles) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement() || xml.name() != u"Paper-size")
                continue;
            const auto width = lengthAttribute(xml, QLatin1StringView("width"));
            const auto height = lengthAttribute(xml, QLatin1StringView("height"));
            const QString id = attribute(xml, QLatin1StringView("id"));
            if (!id.isEmpty() && width && height && *width > 0 && *height > 0)
                papers[id] = {*width, *height};
        }
    }
    return papers;
}

GlabelsFile readGlabelsTemplateFile(const QString& path, const PaperSizes& papers)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        GlabelsFile result;
        result.error = file.errorString();
        return result;
    }
    return readGlabelsTemplates(file.readAll(), path, papers);
}

GlabelsFile readGlabelsTemplates(const QByteArray& xmlText, const QString& path, const PaperSizes& papers)
{
    GlabelsFile result;
    QXmlStreamReader xml(xmlText);
    std::optional<TemplateReading> current;
    bool inRectangle = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"Template") {
                const QString equiv = attribute(xml, QLatin1StringView("equiv"));
                if (!equiv.isEmpty()) {
                    result.equivalents.push_back({attribute(xml, QLatin1StringView("brand")),
                                                  attribute(xml, QLatin1StringView("part")), description(xml),
                                                  equiv, path});
                    xml.skipCurrentElement();
                    continue;
                }
                current.emplace();
                readTemplateStart(xml, *current, papers);
                current->layout.source = path;
            } else if (current && name.startsWith(u"Label-")) {
                ++current->labels;
                inRectangle = name == u"Label-rectangle";
                if (inRectangle) {
                    ++current->rectangles;
                    const auto width = lengthAttribute(xml, QLatin1StringView("width"));
                    const auto height = lengthAttribute(xml, QLatin1StringView("height"));
                    current->layout.labelWidth = width.value_or(0);
                    current->layout.labelHeight = height.value_or(0);
                }
            } else if (current && inRectangle && name == u"Layout") {
                readLayout(xml, *current);
            }
        } else if (xml.isEndElement()) {
            if (xml.name().startsWith(u"Label-")) {
                inRectangle = false;
            } else if (xml.name() == u"Template" && current) {
                const TemplateReading& t = *current;
                const bool usable = t.paperKnown && t.labels == 1 && t.rectangles == 1 && t.grids == 1 &&
                                    t.gridValid && t.layout.labelWidth > 0 && t.layout.labelHeight > 0 &&
                                    !t.layout.partNumber.isEmpty();
                if (usable)
                    result.layouts.push_back(t.layout);
                else
                    ++result.skipped;
                current.reset();
            }
        }
    }
    if (xml.hasError())
        result.error = QStringLiteral("%1 (%2 行目)").arg(xml.errorString()).arg(xml.lineNumber());
    return result;
}

std::vector<SheetLayout> resolveEquivalents(const std::vector<SheetLayout>& layouts,
                                            const std::vector<GlabelsEquivalent>& equivalents,
                                            int& unresolved)
{
    std::map<std::pair<QString, QString>, const SheetLayout*> byPart;
    for (const SheetLayout& layout : layouts)
        byPart.emplace(std::pair{layout.maker, layout.partNumber}, &layout);
    std::vector<SheetLayout> resolved;
    unresolved = 0;
    for (const GlabelsEquivalent& e : equivalents) {
        const auto it = byPart.find({e.maker, e.equivalentPart});
        if (it == byPart.end() || e.partNumber.isEmpty()) {
            ++unresolved;
            continue;
        }
        SheetLayout layout = *it->second;
        layout.partNumber = e.partNumber;
        if (!e.description.isEmpty())
            layout.description = e.description;
        layout.source = e.source;
        resolved.push_back(std::move(layout));
    }
    return resolved;
}

QStringList glabelsTemplateFolders()
{
    QStringList folders;
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir(data).filePath(QStringLiteral("libglabels-3.0/templates"));
        if (QDir(folder).exists() && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

int paperCodeForSize(double width, double height)
{
    const QPageSize size(QSizeF(width, height), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    if (size.id() == QPageSize::Custom)
        return 0;
    return PaperEntry(size.windowsId());
}

} // namespace korbena
