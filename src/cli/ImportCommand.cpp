#include "cli/ImportCommand.h"

#include "document/DataFile.h"
#include "document/DataList.h"
#include "document/DetailedCsvImport.h"
#include "platform/Error.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <optional>

namespace korbena::cli {

const char* const kImportUsage =
    "usage: korbena-cli import FILE.csv|FILE.xlsx|FILE.ods --title-col N --number-col M [--qty-col Q]\n"
    "                          [--header] [--first-line K] [--sep ,|tab|space|;] [--encoding "
    "auto|cp932|utf8]\n"
    "                          [--no-quotes] [--sheet NAME] --out FILE.lst\n"
    "       columns count from 1; --qty-col repeats each row that many times (empty: once, 0: left out);\n"
    "       --header: the first line read holds headings; --first-line: the lines above K are skipped;\n"
    "       --sep and --encoding are detected when not given; --no-quotes: quotes are text;\n"
    "       .xlsx and .ods files: cells as stored, from the first sheet or the one --sheet names\n"
    "exit status: 0 written; 1 the CSV file could not be read, the data file could not be written,\n"
    "       or a column or quantity does not fit the file; 2 bad arguments\n";

namespace {

void writeLine(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

struct Options
{
    QString input, out;
    CsvFormat format;
    CsvColumns columns;
    bool titleGiven = false;
    bool numberGiven = false;
};

std::optional<int> positive(const QString& value, int least)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok && n >= least ? std::optional<int>(n) : std::nullopt;
}

std::optional<QString> parse(const QStringList& args, Options& o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (name == u"--header") {
            o.columns.header = true;
            continue;
        }
        if (name == u"--no-quotes") {
            o.format.quoting = false;
            continue;
        }
        if (!name.startsWith(u"--")) {
            if (!o.input.isEmpty())
                return QStringLiteral("more than one input file");
            o.input = name;
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].isEmpty())
            return QStringLiteral("%1 needs a value").arg(name);
        const QString& value = args[++i];
        const auto column = [&](int least, int& target) -> std::optional<QString> {
            const auto n = positive(value, least);
            if (!n)
                return QStringLiteral("bad value for %1: '%2'").arg(name, value);
            target = *n;
            return std::nullopt;
        };
        std::optional<QString> fault;
        if (name == u"--title-col") {
            fault = column(1, o.columns.titleColumn);
            o.titleGiven = true;
        } else if (name == u"--number-col") {
            fault = column(1, o.columns.numberColumn);
            o.numberGiven = true;
        } else if (name == u"--qty-col") {
            fault = column(1, o.columns.quantityColumn);
        } else if (name == u"--first-line") {
            fault = column(1, o.columns.firstLine);
        } else if (name == u"--sep") {
            if (value == u",")
                o.format.separator = CsvSeparator::Comma;
            else if (value == u"tab")
                o.format.separator = CsvSeparator::Tab;
            else if (value == u"space")
                o.format.separator = CsvSeparator::Space;
            else if (value == u";")
                o.format.separator = CsvSeparator::Semicolon;
            else
                fault = QStringLiteral("bad value for --sep: '%1' (, tab space ;)").arg(value);
        } else if (name == u"--encoding") {
            if (value == u"auto")
                o.format.encoding = CsvEncoding::Auto;
            else if (value == u"cp932")
                o.format.encoding = CsvEncoding::Cp932;
            else if (value == u"utf8")
                o.format.encoding = CsvEncoding::Utf8;
            else
                fault = QStringLiteral("bad value for --encoding: '%1' (auto cp932 utf8)").arg(value);
        } else if (name == u"--sheet") {
            o.format.sheet = value;
        } else if (name == u"--out") {
            o.out = value;
        } else {
            fault = QStringLiteral("unknown option '%1'").arg(name);
        }
        if (fault)
            return fault;
    }
    if (o.input.isEmpty())
        return QStringLiteral("no CSV or spreadsheet file given");
    if (o.out.isEmpty())
        return QStringLiteral("--out is needed");
    if (!o.titleGiven || !o.numberGiven)
        return QStringLiteral("--title-col and --number-col are needed");
    return std::nullopt;
}

} // namespace

int runImport(const QStringList& args, std::FILE* out, std::FILE* err)
{
    Options options;
    if (const auto fault = parse(args, options)) {
        writeLine(err, QStringLiteral("korbena-cli import: ") + *fault);
        std::fputs(kImportUsage, err);
        return 2;
    }
    enableSpreadsheetImport();
    try {
        const CsvTable table = readCsvTable(options.input, options.format);
        const CsvRows rows = csvRows(table, options.columns);
        DataList list;
        // The file holds the imported rows and the one empty row past them, nothing more.
        list.SetRowCount(DataList::kMinRowCount);
        placeCsvRows(list, 1, rows);
        writeDataFile(options.out, list);
        writeLine(out, QStringLiteral("%1 row(s) written to %2").arg(rows.rows.size()).arg(options.out));
        return 0;
    } catch (const Error& e) {
        QString text = QStringLiteral("korbena-cli import: ") + e.message();
        if (!e.detail().isEmpty())
            text += QStringLiteral(" (") + e.detail() + u')';
        writeLine(err, text);
        return 1;
    }
}

} // namespace korbena::cli
