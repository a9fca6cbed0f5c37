#include "cli/TemplateCommand.h"

#include "cli/CommandLine.h"
#include "document/LabelStyle.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "sheet/GlabelsTemplates.h"
#include "sheet/LabelExtents.h"
#include "sheet/SheetCatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <optional>

namespace korbena::cli {

const char* const kTemplateUsage =
    "usage: korbena-cli template [--search TEXT] [--json] [--templates FOLDER]...\n"
    "       korbena-cli template --apply NAME [--fit-content] [--style FILE] --out FILE.kbz\n"
    "                            [--templates FOLDER]...\n"
    "       lists the label stocks (the generic A4 layouts and the glabels templates installed on the\n"
    "       system), or writes the style laid out for the stock NAME (\"maker part\" as listed);\n"
    "       --search: maker, part number or 面数 (\"44面\"); --templates: read these folders instead\n"
    "       of the system's libglabels-3.0/templates; --fit-content: scale the label's content (the\n"
    "       barcode's place and size, the texts' places, font sizes, shadows and pitch) from the\n"
    "       style's label to the stock's, rather than only moving it with the label\n"
    "exit status: 0 listed or written; 1 the style could not be read or written, or no stock has\n"
    "       that name; 2 bad arguments\n";

namespace {

struct Options
{
    QString search, apply, style, out;
    QStringList folders;
    bool json = false;
    bool fitContent = false;
};

std::optional<QString> parse(const QStringList& args, Options& o)
{
    OptionRules rules;
    rules.alone = [&o](const QString& name, std::optional<QString>&) {
        o.json = o.json || name == u"--json";
        o.fitContent = o.fitContent || name == u"--fit-content";
        return name == u"--json" || name == u"--fit-content";
    };
    rules.withValue = [&o](const QString& name, const QString& value) -> std::optional<QString> {
        if (name == u"--search")
            o.search = value;
        else if (name == u"--apply")
            o.apply = value;
        else if (name == u"--style")
            o.style = value;
        else if (name == u"--out")
            o.out = value;
        else if (name == u"--templates")
            o.folders << value;
        else
            return unknownOption(name);
        return std::nullopt;
    };
    if (auto fault = readOptions(args, rules))
        return fault;
    if (o.apply.isEmpty() && (!o.out.isEmpty() || !o.style.isEmpty() || o.fitContent))
        return QStringLiteral("--style, --out and --fit-content go with --apply");
    if (!o.apply.isEmpty() && o.out.isEmpty())
        return QStringLiteral("--apply needs --out");
    return std::nullopt;
}

QString mm(double value)
{
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QJsonObject toJson(const SheetLayout& l)
{
    return QJsonObject{
        {QStringLiteral("name"), l.name()},
        {QStringLiteral("maker"), l.maker},
        {QStringLiteral("part"), l.partNumber},
        {QStringLiteral("description"), l.description},
        {QStringLiteral("labels"), l.labelsPerSheet()},
        {QStringLiteral("paperCode"), l.paperCode},
        {QStringLiteral("paperWidth"), l.paperWidth},
        {QStringLiteral("paperHeight"), l.paperHeight},
        {QStringLiteral("labelWidth"), l.labelWidth},
        {QStringLiteral("labelHeight"), l.labelHeight},
        {QStringLiteral("across"), l.across},
        {QStringLiteral("down"), l.down},
        {QStringLiteral("pitchX"), l.pitchX},
        {QStringLiteral("pitchY"), l.pitchY},
        {QStringLiteral("firstX"), l.firstX},
        {QStringLiteral("firstY"), l.firstY},
        {QStringLiteral("source"), l.source},
    };
}

} // namespace

int runTemplate(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options options;
    if (const auto fault = parse(args, options))
        return usageFault(err, "template", *fault, kTemplateUsage);
    const SheetCatalogue catalogue =
        options.folders.isEmpty() ? loadSheetCatalogue() : loadSheetCatalogue(options.folders);

    if (options.apply.isEmpty()) {
        const std::vector<SheetLayout> found = searchLayouts(catalogue.layouts, options.search);
        if (options.json) {
            QJsonArray list;
            for (const SheetLayout& layout : found)
                list.append(toJson(layout));
            std::fputs(QJsonDocument(list).toJson(QJsonDocument::Indented).constData(), out);
            return 0;
        }
        for (const SheetLayout& l : found)
            writeLine(out, QStringLiteral("%1\t%2面\t%3×%4mm\t%5×%6\tピッチ %7×%8mm\t先頭 %9,%10mm\t%11")
                               .arg(l.name())
                               .arg(l.labelsPerSheet())
                               .arg(mm(l.labelWidth), mm(l.labelHeight))
                               .arg(l.across)
                               .arg(l.down)
                               .arg(mm(l.pitchX), mm(l.pitchY), mm(l.firstX), mm(l.firstY))
                               .arg(l.description));
        return 0;
    }

    const SheetLayout* chosen = nullptr;
    for (const SheetLayout& layout : catalogue.layouts)
        if (layout.name().compare(options.apply, Qt::CaseInsensitive) == 0) {
            chosen = &layout;
            break;
        }
    if (!chosen) {
        writeLine(err, QStringLiteral("korbena-cli template: no label stock named '%1'").arg(options.apply));
        return 1;
    }
    try {
        // Without --style the working folder's default style is the start, as the
        // window's "用紙テンプレート" starts from the style it shows.
        QString styleFile = options.style;
        if (styleFile.isEmpty()) {
            PrepareDataFolder(DataFolder(), InstallFolder());
            styleFile = DefaultStyleFile(DataFolder());
        }
        LabelStyle style;
        StyleFileExtras extras;
        applyStyleLines(readStyleFile(styleFile), style, extras, styleFile);
        if (!layOutForStock(style, *chosen, catalogue.layouts, 0, 0, options.fitContent))
            writeLine(err, QStringLiteral("korbena-cli template: the paper list has no paper of %1×%2mm; "
                                          "the style keeps its paper")
                               .arg(mm(chosen->paperWidth), mm(chosen->paperHeight)));
        WriteStyleFile(options.out, style);
    } catch (const Error& e) {
        writeLine(err, QStringLiteral("korbena-cli template: ") + errorText(e));
        return 1;
    }
    writeLine(out,
              QStringLiteral("%1 laid out as %2%3 written to %4")
                  .arg(options.style.isEmpty() ? QStringLiteral("the default style") : options.style,
                       chosen->name(),
                       options.fitContent ? QStringLiteral(", its content fitted to the label,") : QString(),
                       options.out));
    return 0;
}

} // namespace korbena::cli
