// Office Open XML workbooks: the sheet list in xl/workbook.xml, where each sheet's
// part lies in its relationships, the shared strings, and the cells of one sheet.
#include "platform/Error.h"
#include "spreadsheet/SpreadsheetCells.h"
#include "spreadsheet/SpreadsheetReader.h"

#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <vector>

namespace korbena::spreadsheet {

namespace {

struct SheetEntry
{
    QString name;
    QString relation; // r:id
};

QByteArray requiredMember(QuaZip& zip, const QString& name)
{
    auto bytes = zipMember(zip, name);
    if (!bytes)
        throw Error(notASpreadsheet(), name);
    return *bytes;
}

// The relationship id is r:id in either the transitional or the strict namespace.
QString relationId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == u"id" && !a.namespaceUri().isEmpty())
            return a.value().toString();
    return {};
}

std::vector<SheetEntry> workbookSheets(QuaZip& zip)
{
    std::vector<SheetEntry> sheets;
    QXmlStreamReader xml(requiredMember(zip, QStringLiteral("xl/workbook.xml")));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
            sheets.push_back(
                {xml.attributes().value(QLatin1StringView("name")).toString(), relationId(xml.attributes())});
    }
    if (xml.hasError())
        throw Error(notASpreadsheet(), QStringLiteral("xl/workbook.xml"));
    return sheets;
}

// Relationship targets by id, as member names: relative to xl/, or absolute from the root.
QHash<QString, QString> workbookTargets(QuaZip& zip, QString* sharedStrings)
{
    QHash<QString, QString> targets;
    const auto bytes = zipMember(zip, QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!bytes)
        return targets;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        QString target = a.value(QLatin1StringView("Target")).toString();
        target = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        targets.insert(a.value(QLatin1StringView("Id")).toString(), target);
        if (a.value(QLatin1StringView("Type")).endsWith(u"/sharedStrings"))
            *sharedStrings = target;
    }
    return targets;
}

// The text of a string item: its runs' texts, without the phonetic guide (rPh) that
// Japanese workbooks keep beside the text.
QString itemText(QXmlStreamReader& xml)
{
    QString text;
    int phonetic = 0;
    const QString endName = xml.name().toString();
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == endName)
                break;
        }
    }
    return text;
}

QStringList sharedStrings(QuaZip& zip, const QString& member)
{
    QStringList strings;
    const auto bytes = zipMember(zip, member);
    if (!bytes)
        return strings;
    QXmlStreamReader xml(*bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.append(itemText(xml));
    }
    return strings;
}

// "AB12" -> column 27 (0-based), row 11; nothing for a reference without letters.
std::optional<std::pair<qint64, qint64>> cellReference(QStringView ref)
{
    qint64 column = 0, row = 0;
    qsizetype i = 0;
    for (; i < ref.size() && column <= kMostColumns; ++i) {
        const char32_t c = QChar::toUpper(char32_t(ref[i].unicode()));
        if (c < U'A' || c > U'Z')
            break;
        column = column * 26 + (c - U'A' + 1);
    }
    if (i == 0)
        return std::nullopt;
    for (; i < ref.size() && ref[i] >= u'0' && ref[i] <= u'9' && row <= kMostRows; ++i)
        row = row * 10 + (ref[i].unicode() - u'0');
    return std::pair{column - 1, row - 1};
}

struct SheetReading
{
    QXmlStreamReader& xml;
    const QStringList& strings;
    RecordBuilder& records;
};

// One <c> element: its stored value by its type.
void readCell(SheetReading& r, qint64& column)
{
    const QXmlStreamAttributes a = r.xml.attributes();
    if (const auto ref = cellReference(a.value(QLatin1StringView("r"))))
        column = ref->first;
    const QString type = a.value(QLatin1StringView("t")).toString();
    QString value;
    while (r.xml.readNextStartElement()) {
        if (r.xml.name() == u"v")
            value = r.xml.readElementText();
        else if (r.xml.name() == u"is")
            value = itemText(r.xml);
        else
            r.xml.skipCurrentElement();
    }
    if (type == u"s") {
        bool ok = false;
        const int index = value.toInt(&ok);
        value = ok && index >= 0 && index < r.strings.size() ? r.strings[index] : QString();
    } else if (type.isEmpty() || type == u"n") {
        value = plainDecimal(value);
    }
    r.records.setCell(column++, value);
}

void readRows(SheetReading& r)
{
    while (!r.xml.atEnd()) {
        if (r.xml.readNext() != QXmlStreamReader::StartElement || r.xml.name() != u"row")
            continue;
        bool ok = false;
        const qint64 number = r.xml.attributes().value(QLatin1StringView("r")).toLongLong(&ok);
        if (!r.records.startRow(ok && number >= 1 ? number - 1 : r.records.nextRow()))
            return;
        qint64 column = 0;
        while (r.xml.readNextStartElement()) {
            if (r.xml.name() == u"c")
                readCell(r, column);
            else
                r.xml.skipCurrentElement();
        }
        r.records.endRow();
    }
}

} // namespace

QStringList xlsxSheetNames(QuaZip& zip)
{
    QStringList names;
    for (const SheetEntry& sheet : workbookSheets(zip))
        names << sheet.name;
    return names;
}

void readXlsxSheet(QuaZip& zip, const QString& sheet, RecordBuilder& records)
{
    const std::vector<SheetEntry> sheets = workbookSheets(zip);
    auto chosen = sheets.begin();
    if (!sheet.isEmpty())
        chosen =
            std::find_if(sheets.begin(), sheets.end(), [&](const SheetEntry& s) { return s.name == sheet; });
    if (chosen == sheets.end())
        throw Error(sheet.isEmpty() ? notASpreadsheet() : noSuchSheet(sheet));
    QString stringsMember = QStringLiteral("xl/sharedStrings.xml");
    const QHash<QString, QString> targets = workbookTargets(zip, &stringsMember);
    const QString member = targets.value(chosen->relation);
    if (member.isEmpty())
        throw Error(notASpreadsheet());
    const QStringList strings = sharedStrings(zip, stringsMember);
    QXmlStreamReader xml(requiredMember(zip, member));
    SheetReading reading{xml, strings, records};
    readRows(reading);
    if (xml.hasError())
        throw Error(notASpreadsheet(), member);
}

} // namespace korbena::spreadsheet
