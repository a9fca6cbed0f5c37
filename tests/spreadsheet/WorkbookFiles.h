#pragma once

// Writing small .xlsx and .ods files for the import tests and the benchmark: the zip
// container through QuaZip, the XML written out by hand as office programs write it.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <utility>
#include <vector>

namespace korbena::test {

using ZipMembers = std::vector<std::pair<QString, QByteArray>>;

inline bool writeZip(const QString& path, const ZipMembers& members)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, bytes] : members) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(bytes) != bytes.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

// A workbook of named sheets, each given by the contents of its <sheetData>, with the
// shared strings. The second and later sheets are found by an absolute part name.
inline ZipMembers xlsxWorkbook(const std::vector<std::pair<QString, QByteArray>>& sheets,
                               const QStringList& sharedStrings)
{
    QByteArray workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                          "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                          "<sheets>";
    QByteArray rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    ZipMembers members;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(static_cast<int>(i + 1));
        workbook +=
            "<sheet name=\"" + sheets[i].first.toUtf8() + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n +
                "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                "Target=\"" +
                (i == 0 ? QByteArray("worksheets/") : QByteArray("/xl/worksheets/")) + "sheet" + n +
                ".xml\"/>";
        members.emplace_back(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1),
                             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                             "<sheetData>" +
                                 sheets[i].second + "</sheetData></worksheet>");
    }
    workbook += "</sheets></workbook>";
    rels += "<Relationship Id=\"rIdS\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
            "Target=\"sharedStrings.xml\"/></Relationships>";
    QByteArray strings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const QString& s : sharedStrings)
        strings += "<si><t>" + s.toUtf8() + "</t></si>";
    strings += "</sst>";
    members.emplace_back(QStringLiteral("[Content_Types].xml"),
                         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>");
    members.emplace_back(QStringLiteral("xl/workbook.xml"), workbook);
    members.emplace_back(QStringLiteral("xl/_rels/workbook.xml.rels"), rels);
    members.emplace_back(QStringLiteral("xl/sharedStrings.xml"), strings);
    return members;
}

// An OpenDocument spreadsheet of named tables, each given by its rows' XML.
inline ZipMembers odsDocument(const std::vector<std::pair<QString, QByteArray>>& tables)
{
    QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<office:document-content "
                         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                         "office:version=\"1.3\"><office:body><office:spreadsheet>";
    for (const auto& [name, rows] : tables)
        content += "<table:table table:name=\"" + name.toUtf8() +
                   "\"><table:table-column table:number-columns-repeated=\"3\"/>" + rows + "</table:table>";
    content += "</office:spreadsheet></office:body></office:document-content>";
    return {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
            {QStringLiteral("content.xml"), content}};
}

} // namespace korbena::test
