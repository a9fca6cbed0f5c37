#include "sheet/SheetCatalogue.h"

#include "document/HalfWidth.h"
#include "document/ValueText.h"
#include "sheet/GlabelsTemplates.h"

#include <QDir>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <optional>

namespace korbena {

namespace {

constexpr int kA4PaperCode = 9;
constexpr double kA4Width = 210;
constexpr double kA4Height = 297;

// The generic A4 sheets sold by 面数, as label size and pitch in millimetres. Where
// the pitch exceeds the label there is a gap between the columns. The grids are
// centred on the sheet, which is how these stocks are cut.
struct GenericSheet
{
    int across;
    int down;
    double labelWidth;
    double labelHeight;
    double pitchX;
    double pitchY;
};
constexpr std::array kGenericSheets{
    //           across down  label W x H    pitch X x Y
    GenericSheet{2, 6, 86.4, 42.3, 86.4, 42.3},  // 12面
    GenericSheet{2, 9, 86.4, 31.0, 86.4, 31.0},  // 18面
    GenericSheet{3, 7, 63.5, 38.1, 66.0, 38.1},  // 21面, 2.5 mm between columns
    GenericSheet{3, 8, 63.5, 33.9, 66.0, 33.9},  // 24面, 2.5 mm between columns
    GenericSheet{4, 10, 48.3, 25.4, 48.3, 25.4}, // 40面
    GenericSheet{4, 11, 48.3, 25.4, 48.3, 25.4}, // 44面
    GenericSheet{5, 13, 38.1, 21.2, 40.6, 21.2}, // 65面, 2.5 mm between columns
};

// A length as the style's numeric fields hold it: four decimals, halves to even, so
// that sums of millimetre values carry no binary noise into the style file.
Extended fourDecimals(Extended value)
{
    return static_cast<Extended>(toFixed4(static_cast<double>(value))) / 10000;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 0.0005;
}

// A word of a search: "12面" or "12" (with a bare number also matching part numbers).
struct SearchWord
{
    QString text;
    std::optional<int> labels;
    bool countOnly = false;
};

SearchWord searchWord(const QString& word)
{
    static const QRegularExpression count(QStringLiteral("^(\\d+)(面)?$"));
    SearchWord w{word, std::nullopt, false};
    if (const auto match = count.match(word); match.hasMatch()) {
        bool ok = false;
        const int n = match.captured(1).toInt(&ok);
        if (ok)
            w.labels = n;
        w.countOnly = match.hasCaptured(2);
    }
    return w;
}

bool matches(const SheetLayout& layout, const SearchWord& w)
{
    if (w.labels && *w.labels == layout.labelsPerSheet())
        return true;
    if (w.countOnly)
        return false;
    if (w.labels)
        return layout.partNumber.contains(w.text, Qt::CaseInsensitive);
    return layout.maker.contains(w.text, Qt::CaseInsensitive) ||
           layout.partNumber.contains(w.text, Qt::CaseInsensitive) ||
           layout.description.contains(w.text, Qt::CaseInsensitive);
}

} // namespace

std::vector<SheetLayout> builtInLayouts()
{
    std::vector<SheetLayout> layouts;
    for (const GenericSheet& g : kGenericSheets) {
        SheetLayout l;
        l.maker = QStringLiteral("汎用");
        l.partNumber = QStringLiteral("A4 %1面").arg(g.across * g.down);
        l.description = QStringLiteral("%1×%2mm %3列×%4段")
                            .arg(g.labelWidth, 0, 'f', 1)
                            .arg(g.labelHeight, 0, 'f', 1)
                            .arg(g.across)
                            .arg(g.down);
        l.paperCode = kA4PaperCode;
        l.paperWidth = kA4Width;
        l.paperHeight = kA4Height;
        l.labelWidth = g.labelWidth;
        l.labelHeight = g.labelHeight;
        l.across = g.across;
        l.down = g.down;
        l.pitchX = g.pitchX;
        l.pitchY = g.pitchY;
        l.firstX = (kA4Width - ((g.across - 1) * g.pitchX + g.labelWidth)) / 2;
        l.firstY = (kA4Height - ((g.down - 1) * g.pitchY + g.labelHeight)) / 2;
        layouts.push_back(l);
    }
    return layouts;
}

std::vector<SheetLayout> searchLayouts(const std::vector<SheetLayout>& layouts, QStringView text)
{
    std::vector<SearchWord> words;
    static const QRegularExpression blanks(QStringLiteral("[\\s　]+"));
    for (const QString& word : toHalfWidthNumber(text).split(blanks, Qt::SkipEmptyParts))
        words.push_back(searchWord(word));
    std::vector<SheetLayout> found;
    for (const SheetLayout& layout : layouts) {
        bool all = true;
        for (const SearchWord& w : words)
            all = all && matches(layout, w);
        if (all)
            found.push_back(layout);
    }
    return found;
}

SheetPoint firstLabelOnPrintableArea(const SheetLayout& layout, double offsetX, double offsetY)
{
    return {layout.firstX - offsetX, layout.firstY - offsetY};
}

bool sameSheetGrid(const LabelStyle& style, const SheetLayout& layout)
{
    return static_cast<long long>(style.sheet.across) == layout.across &&
           static_cast<long long>(style.sheet.down) == layout.down &&
           near(static_cast<double>(style.sheet.pitchX), layout.pitchX) &&
           near(static_cast<double>(style.sheet.pitchY), layout.pitchY);
}

std::optional<SheetPoint> firstLabelHolding(const LabelStyle& style, const std::vector<SheetLayout>& layouts,
                                            double offsetX, double offsetY)
{
    const auto within = [](Extended position, double start, double length) {
        const auto p = static_cast<double>(position);
        return p > start - 0.0005 && p < start + length + 0.0005;
    };
    for (const SheetLayout& layout : layouts) {
        if (!sameSheetGrid(style, layout))
            continue;
        const SheetPoint first = firstLabelOnPrintableArea(layout, offsetX, offsetY);
        const bool holdsElements = within(style.placement.x, first.x, layout.labelWidth) &&
                                   within(style.title.x, first.x, layout.labelWidth) &&
                                   within(style.number.x, first.x, layout.labelWidth) &&
                                   within(style.placement.y, first.y, layout.labelHeight) &&
                                   within(style.title.y, first.y, layout.labelHeight) &&
                                   within(style.number.y, first.y, layout.labelHeight);
        if (holdsElements)
            return first;
    }
    return std::nullopt;
}

SheetPoint currentFirstLabel(const LabelStyle& style, const std::vector<SheetLayout>& layouts, double offsetX,
                             double offsetY)
{
    return firstLabelHolding(style, layouts, offsetX, offsetY).value_or(SheetPoint{});
}

bool applySheetLayout(LabelStyle& style, const SheetLayout& layout, SheetPoint currentFirst, double offsetX,
                      double offsetY)
{
    const SheetPoint first = firstLabelOnPrintableArea(layout, offsetX, offsetY);
    const Extended dx = first.x - currentFirst.x;
    const Extended dy = first.y - currentFirst.y;
    style.sheet.across = layout.across;
    style.sheet.down = layout.down;
    style.sheet.pitchX = fourDecimals(layout.pitchX);
    style.sheet.pitchY = fourDecimals(layout.pitchY);
    for (Extended* x : {&style.placement.x, &style.title.x, &style.number.x})
        *x = fourDecimals(*x + dx);
    for (Extended* y : {&style.placement.y, &style.title.y, &style.number.y})
        *y = fourDecimals(*y + dy);
    if (layout.paperCode < 1)
        return false;
    style.sheet.paper = layout.paperCode;
    style.sheet.orientation = 0; // label stock is laid out on the sheet standing upright
    return true;
}

SheetCatalogue loadSheetCatalogue()
{
    return loadSheetCatalogue(glabelsTemplateFolders());
}

SheetCatalogue loadSheetCatalogue(const QStringList& templateFolders)
{
    SheetCatalogue catalogue;
    catalogue.layouts = builtInLayouts();
    QStringList paperFiles;
    QStringList templateFiles;
    for (const QString& folder : templateFolders) {
        const QDir dir(folder);
        if (dir.exists(QStringLiteral("paper-sizes.xml")))
            paperFiles << dir.filePath(QStringLiteral("paper-sizes.xml"));
        for (const QString& name :
             dir.entryList({QStringLiteral("*-templates.xml")}, QDir::Files, QDir::Name))
            templateFiles << dir.filePath(name);
    }
    const PaperSizes papers = glabelsPaperSizes(paperFiles);
    std::vector<SheetLayout> read;
    std::vector<GlabelsEquivalent> equivalents;
    for (const QString& path : templateFiles) {
        GlabelsFile file = readGlabelsTemplateFile(path, papers);
        catalogue.templateFiles << path;
        catalogue.skippedTemplates += file.skipped;
        read.insert(read.end(), file.layouts.begin(), file.layouts.end());
        equivalents.insert(equivalents.end(), file.equivalents.begin(), file.equivalents.end());
    }
    int unresolved = 0;
    const std::vector<SheetLayout> resolved = resolveEquivalents(read, equivalents, unresolved);
    catalogue.skippedTemplates += unresolved;
    catalogue.layouts.insert(catalogue.layouts.end(), read.begin(), read.end());
    catalogue.layouts.insert(catalogue.layouts.end(), resolved.begin(), resolved.end());
    return catalogue;
}

} // namespace korbena
