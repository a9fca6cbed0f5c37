#include "cli/VerifyCommand.h"

#include "cli/CommandLine.h"
#include "cli/PrintCommand.h"
#include "sheet/DeviceMetrics.h"
#include "sheet/LabelExtents.h"
#include "sheet/PageComposer.h"
#include "sheet/PaperList.h"
#include "sheet/PrintTarget.h"
#include "verify/PrintCheck.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>
#include <optional>

namespace korbena::cli {

const char* const kVerifyUsage =
    "usage: korbena-cli verify [--style FILE] [--data FILE] [--start-label K] [--json]\n"
    "       renders the barcode of every row that print would print and reads it back with\n"
    "       zxing-cpp; lists each row that fails or is not checked, then\n"
    "       \"N 件中 M 件を読み取り確認しました\": N rows print a title or a number, M of them\n"
    "       have a barcode that read back as its text\n"
    "       --start-label K: row 1 goes to label K of the first sheet, as print does\n"
    "       --json: the report as one JSON object\n"
    "exit status: 0 every barcode read back; 1 a number cannot be encoded or its barcode does\n"
    "       not read back, or a label lies off the paper, or its barcode, title or number runs outside\n"
    "       its label (the stock's label of the style's grid, as \"template\" lists them), or the files\n"
    "       could not be read; 2 bad arguments. Rows of CTF, IATA,\n"
    "       MATRIX, NEC and CUSTOMER (no reader decodes them) and rows lacking a title or a\n"
    "       number are listed as not checked, but do not fail\n";

namespace {

struct Options
{
    QString style, data;
    int startLabel = 1;
    bool json = false;
};

std::optional<QString> parse(const QStringList& args, Options& o)
{
    OptionRules rules;
    rules.alone = [&o](const QString& name, std::optional<QString>& fault) {
        if (name == u"--json") {
            o.json = true;
            return true;
        }
        // An unknown option is named as such before its value is looked for.
        if (name != u"--style" && name != u"--data" && name != u"--start-label") {
            fault = unknownOption(name);
            return true;
        }
        return false;
    };
    rules.withValue = [&o](const QString& name, const QString& value) -> std::optional<QString> {
        if (name == u"--style") {
            o.style = value;
        } else if (name == u"--data") {
            o.data = value;
        } else {
            const auto start = parseInt(value, 1, std::numeric_limits<int>::max());
            if (!start)
                return badValue(name, value);
            o.startLabel = *start;
        }
        return std::nullopt;
    };
    return readOptions(args, rules);
}

QString statusName(RowVerdict verdict)
{
    switch (verdict) {
    case RowVerdict::Verified:
        return QStringLiteral("verified");
    case RowVerdict::NotEncodable:
        return QStringLiteral("notEncodable");
    case RowVerdict::Mismatch:
        return QStringLiteral("mismatch");
    case RowVerdict::Unreadable:
        return QStringLiteral("unreadable");
    case RowVerdict::TypeNotChecked:
        return QStringLiteral("typeNotChecked");
    case RowVerdict::DataNotChecked:
        return QStringLiteral("dataNotChecked");
    case RowVerdict::NoNumber:
        return QStringLiteral("noNumber");
    case RowVerdict::OffPaper:
        return QStringLiteral("offPaper");
    case RowVerdict::NotPrinted:
        return QStringLiteral("notPrinted");
    case RowVerdict::Outside:
        return QStringLiteral("outside");
    case RowVerdict::NoTitle:
        break;
    }
    return QStringLiteral("noTitle");
}

QByteArray toJson(const PrintCheckReport& report)
{
    QJsonArray problems;
    for (const RowCheck& row : report.problems) {
        QJsonObject item{
            {QStringLiteral("row"), row.row},       {QStringLiteral("title"), row.title},
            {QStringLiteral("number"), row.number}, {QStringLiteral("status"), statusName(row.verdict)},
            {QStringLiteral("fails"), row.fails()}, {QStringLiteral("reason"), row.reason()}};
        if (!row.expected.isEmpty())
            item.insert(QStringLiteral("expected"), row.expected);
        if (row.verdict == RowVerdict::Mismatch)
            item.insert(QStringLiteral("read"), row.read);
        if (row.outside.any()) {
            QJsonArray outside;
            for (const auto& [set, name] :
                 {std::pair{row.outside.barcode, "barcode"}, std::pair{row.outside.title, "title"},
                  std::pair{row.outside.number, "number"}})
                if (set)
                    outside.append(QLatin1String(name));
            item.insert(QStringLiteral("outside"), outside);
        }
        problems.append(item);
    }
    QJsonObject root{
        {QStringLiteral("symbology"), report.symbology}, {QStringLiteral("checked"), report.checked},
        {QStringLiteral("verified"), report.verified},   {QStringLiteral("passed"), report.passed()},
        {QStringLiteral("summary"), report.summary()},   {QStringLiteral("problems"), problems}};
    if (!report.refusal.isEmpty())
        root.insert(QStringLiteral("refusal"), report.refusal);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

} // namespace

int runVerify(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options options;
    if (const auto fault = parse(args, options))
        return usageFault(err, "verify", *fault, kVerifyUsage);
    const auto docs = loadDocuments(options.style, options.data, err);
    if (!docs)
        return 1;
    const int cells = cellsPerPage(docs->style);
    if (cells > 0 && options.startLabel > cells) {
        writeLine(err, QStringLiteral("korbena-cli verify: --start-label %1: a sheet has %2 labels")
                           .arg(options.startLabel)
                           .arg(cells));
        return 2;
    }
    PrintCheckOptions check;
    check.startLabel = options.startLabel;
    // The paper as print would put it in a PDF file: the style's paper, no margins.
    PdfFileTarget paper(QDir(docs->dataFolder).filePath(QStringLiteral("verify.pdf")));
    ApplyPaperSettings(paper, docs->style.sheet.paper, docs->style.sheet.orientation);
    check.unshownRows = docs->unshownRows;
    const DeviceMetrics metrics = ReadDeviceMetrics(paper, screenDpiX(), screenDpiY());
    check.area = printableAreaOf(metrics);
    check.label = stockLabelFrame(docs->style, loadSheetCatalogue().layouts, metrics.offsetX, metrics.offsetY)
                      .value_or(LabelFrame{});
    const PrintCheckReport report = verifyRows(docs->style, docs->rows, check);
    if (options.json) {
        writeLine(out, QString::fromUtf8(toJson(report)));
    } else {
        for (const QString& line : report.lines())
            writeLine(out, line);
    }
    return report.passed() ? 0 : 1;
}

} // namespace korbena::cli
