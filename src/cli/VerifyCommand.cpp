#include "cli/VerifyCommand.h"

#include "cli/PrintCommand.h"
#include "sheet/PageComposer.h"
#include "verify/PrintCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    "       not read back, or the files could not be read; 2 bad arguments. Rows of CTF, IATA,\n"
    "       MATRIX, NEC and CUSTOMER (no reader decodes them) and rows lacking a title or a\n"
    "       number are listed as not checked, but do not fail\n";

namespace {

void writeLine(std::FILE* stream, const QString& text)
{
    // Every byte, a NUL in a title included.
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

struct Options
{
    QString style, data;
    int startLabel = 1;
    bool json = false;
};

std::optional<QString> parse(const QStringList& args, Options& o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (name == u"--json") {
            o.json = true;
            continue;
        }
        if (name != u"--style" && name != u"--data" && name != u"--start-label")
            return QStringLiteral("unknown option '%1'").arg(name);
        if (i + 1 >= args.size() || args[i + 1].isEmpty())
            return QStringLiteral("%1 needs a value").arg(name);
        const QString& value = args[++i];
        if (name == u"--style") {
            o.style = value;
        } else if (name == u"--data") {
            o.data = value;
        } else {
            bool ok = false;
            o.startLabel = value.toInt(&ok);
            if (!ok || o.startLabel < 1)
                return QStringLiteral("bad value for --start-label: '%1'").arg(value);
        }
    }
    return std::nullopt;
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
    case RowVerdict::NotPrinted:
        return QStringLiteral("notPrinted");
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
    if (const auto fault = parse(args, options)) {
        writeLine(err, QStringLiteral("korbena-cli verify: ") + *fault);
        std::fputs(kVerifyUsage, err);
        return 2;
    }
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
    check.unshownRows = docs->unshownRows;
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
