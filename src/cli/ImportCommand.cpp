#include "cli/ImportCommand.h"

#include "cli/CommandLine.h"
#include "document/DataFile.h"
#include "document/DataList.h"
#include "document/DetailedCsvImport.h"
#include "platform/Error.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <limits>
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

struct Options
{
    QString input, out;
    CsvFormat format;
    CsvColumns columns;
    bool titleGiven = false;
    bool numberGiven = false;
};

std::optional<QString> readValue(const QString& name, const QString& value, Options& o)
{
    const auto column = [&](int& target) -> std::optional<QString> {
        const auto n = parseInt(value, 1, std::numeric_limits<int>::max());
        if (!n)
            return badValue(name, value);
        target = *n;
        return std::nullopt;
    };
    if (name == u"--title-col") {
        o.titleGiven = true;
        return column(o.columns.titleColumn);
    }
    if (name == u"--number-col") {
        o.numberGiven = true;
        return column(o.columns.numberColumn);
    }
    if (name == u"--qty-col")
        return column(o.columns.quantityColumn);
    if (name == u"--first-line")
        return column(o.columns.firstLine);
    if (name == u"--sep") {
        if (value == u",")
            o.format.separator = CsvSeparator::Comma;
        else if (value == u"tab")
            o.format.separator = CsvSeparator::Tab;
        else if (value == u"space")
            o.format.separator = CsvSeparator::Space;
        else if (value == u";")
            o.format.separator = CsvSeparator::Semicolon;
        else
            return QStringLiteral("bad value for --sep: '%1' (, tab space ;)").arg(value);
    } else if (name == u"--encoding") {
        if (value == u"auto")
            o.format.encoding = CsvEncoding::Auto;
        else if (value == u"cp932")
            o.format.encoding = CsvEncoding::Cp932;
        else if (value == u"utf8")
            o.format.encoding = CsvEncoding::Utf8;
        else
            return QStringLiteral("bad value for --encoding: '%1' (auto cp932 utf8)").arg(value);
    } else if (name == u"--sheet") {
        o.format.sheet = value;
    } else if (name == u"--out") {
        o.out = value;
    } else {
        return unknownOption(name);
    }
    return std::nullopt;
}

std::optional<QString> parse(const QStringList& args, Options& o)
{
    OptionRules rules;
    rules.alone = [&o](const QString& argument, std::optional<QString>& fault) {
        if (argument == u"--header")
            o.columns.header = true;
        else if (argument == u"--no-quotes")
            o.format.quoting = false;
        else if (argument.startsWith(u"--"))
            return false;
        else if (!o.input.isEmpty())
            fault = QStringLiteral("more than one input file");
        else
            o.input = argument;
        return true;
    };
    rules.withValue = [&o](const QString& name, const QString& value) { return readValue(name, value, o); };
    if (auto fault = readOptions(args, rules))
        return fault;
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
    if (const auto fault = parse(args, options))
        return usageFault(err, "import", *fault, kImportUsage);
    enableSpreadsheetImport();
    try {
        const CsvTable table = readCsvTable(options.input, options.format);
        // Past the last line nothing would be imported: an empty list is no answer.
        const auto lines = static_cast<qsizetype>(table.records.size());
        if (options.columns.firstLine > 1 && options.columns.firstLine > lines)
            throw Error(QStringLiteral("開始行 %1 はファイルの最後の行（%2 行目）より後です")
                            .arg(options.columns.firstLine)
                            .arg(lines),
                        options.input);
        const CsvRows rows = csvRows(table, options.columns);
        DataList list;
        // The file holds the imported rows and the one empty row past them, nothing more.
        list.SetRowCount(DataList::kMinRowCount);
        placeCsvRows(list, 1, rows);
        writeDataFile(options.out, list);
        writeLine(out, QStringLiteral("%1 row(s) written to %2").arg(rows.rows.size()).arg(options.out));
        return 0;
    } catch (const Error& e) {
        writeLine(err, QStringLiteral("korbena-cli import: ") + errorText(e));
        return 1;
    }
}

} // namespace korbena::cli
