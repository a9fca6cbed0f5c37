// OpenDocument spreadsheets: every table of content.xml, its rows and cells with
// their repeat counts, and the stored value of each cell by its value type.
#include "platform/Error.h"
#include "spreadsheet/SpreadsheetCells.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace korbena::spreadsheet {

namespace {

constexpr auto kTableNs = QLatin1StringView("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
constexpr auto kOfficeNs = QLatin1StringView("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
constexpr auto kTextNs = QLatin1StringView("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

QByteArray content(QuaZip& zip)
{
    auto bytes = zipMember(zip, QStringLiteral("content.xml"));
    if (!bytes)
        throw Error(notASpreadsheet());
    return *bytes;
}

qint64 repeats(const QXmlStreamAttributes& a, QLatin1StringView name)
{
    bool ok = false;
    const qint64 n = a.value(kTableNs, name).toLongLong(&ok);
    return ok && n >= 1 ? n : 1;
}

// The text of a paragraph's contents: spaces, tabs and line breaks written out,
// spans and links read through, notes left out.
void paragraphText(QXmlStreamReader& xml, QString& text)
{
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        } else if (token == QXmlStreamReader::EndElement) {
            return;
        } else if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (xml.namespaceUri() == kTextNs && name == u"s") {
                bool ok = false;
                const int count = xml.attributes().value(kTextNs, QLatin1StringView("c")).toInt(&ok);
                text += QString(ok ? std::clamp(count, 1, 1000) : 1, u' ');
                xml.skipCurrentElement();
            } else if (xml.namespaceUri() == kTextNs && name == u"tab") {
                text += u'\t';
                xml.skipCurrentElement();
            } else if (xml.namespaceUri() == kTextNs && name == u"line-break") {
                text += u'\n';
                xml.skipCurrentElement();
            } else if (name == u"annotation") {
                xml.skipCurrentElement();
            } else {
                paragraphText(xml, text);
            }
        }
    }
}

// One cell's stored value: the number, date, time or truth value its attributes
// hold, or its paragraphs joined by line breaks.
QString cellValue(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes a = xml.attributes();
    const QStringView type = a.value(kOfficeNs, QLatin1StringView("value-type"));
    QString value;
    if (type == u"float" || type == u"percentage" || type == u"currency")
        value = plainDecimal(a.value(kOfficeNs, QLatin1StringView("value")));
    else if (type == u"date")
        value = a.value(kOfficeNs, QLatin1StringView("date-value")).toString();
    else if (type == u"time")
        value = a.value(kOfficeNs, QLatin1StringView("time-value")).toString();
    else if (type == u"boolean")
        value = a.value(kOfficeNs, QLatin1StringView("boolean-value")).toString();
    else if (a.hasAttribute(kOfficeNs, QLatin1StringView("string-value")))
        value = a.value(kOfficeNs, QLatin1StringView("string-value")).toString();
    const bool fromText = value.isEmpty() && !a.hasAttribute(kOfficeNs, QLatin1StringView("string-value"));
    int paragraphs = 0;
    while (xml.readNextStartElement()) {
        if (fromText && xml.namespaceUri() == kTextNs && xml.name() == u"p") {
            if (paragraphs++ > 0)
                value += u'\n';
            paragraphText(xml, value);
        } else {
            xml.skipCurrentElement();
        }
    }
    return value;
}

// One row element, which stands for `copies` equal rows from `row` on; `row` moves past them.
void readRow(QXmlStreamReader& xml, RecordBuilder& records, qint64& row)
{
    const qint64 copies = repeats(xml.attributes(), QLatin1StringView("number-rows-repeated"));
    const bool wanted = records.startRow(row);
    row = std::min(row + copies, kMostRows);
    qint64 column = 0;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name != u"table-cell" && name != u"covered-table-cell") {
            xml.skipCurrentElement();
            continue;
        }
        const qint64 across = repeats(xml.attributes(), QLatin1StringView("number-columns-repeated"));
        const QString value = wanted ? cellValue(xml) : (xml.skipCurrentElement(), QString());
        for (qint64 k = 0; !value.isEmpty() && k < across && column + k < kMostColumns; ++k)
            records.setCell(column + k, value);
        column += across;
    }
    if (wanted)
        records.endRow(copies);
}

} // namespace

QStringList odsSheetNames(QuaZip& zip)
{
    QStringList names;
    QXmlStreamReader xml(content(zip));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.namespaceUri() == kTableNs &&
            xml.name() == u"table") {
            names << xml.attributes().value(kTableNs, QLatin1StringView("name")).toString();
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        throw Error(notASpreadsheet());
    return names;
}

void readOdsSheet(QuaZip& zip, const QString& sheet, RecordBuilder& records)
{
    QXmlStreamReader xml(content(zip));
    bool found = false;
    while (!found && !xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.namespaceUri() != kTableNs ||
            xml.name() != u"table")
            continue;
        if (!sheet.isEmpty() && xml.attributes().value(kTableNs, QLatin1StringView("name")) != sheet) {
            xml.skipCurrentElement();
            continue;
        }
        found = true;
        // Rows may sit in header-row, row-group and rows elements; the table's end ends the sheet.
        int depth = 1;
        qint64 row = 0;
        while (depth > 0 && !records.full() && !xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::StartElement && xml.name() == u"table-row")
                readRow(xml, records, row);
            else if (token == QXmlStreamReader::StartElement)
                ++depth;
            else if (token == QXmlStreamReader::EndElement)
                --depth;
        }
    }
    if (xml.hasError())
        throw Error(notASpreadsheet());
    if (!found)
        throw Error(sheet.isEmpty() ? notASpreadsheet() : noSuchSheet(sheet));
}

} // namespace korbena::spreadsheet
