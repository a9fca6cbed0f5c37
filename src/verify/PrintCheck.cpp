#include "verify/PrintCheck.h"

#include "sheet/PageComposer.h"
#include "sheet/PrintJob.h"
#include "symbol/BarImage.h"
#include "symbol/MainBarImage.h"
#include "verify/ExpectedReading.h"
#include "verify/SymbolReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace korbena {

namespace {

// The quiet zone a reader needs beside the bars, in modules: ten is what ISO/IEC
// 15417, 16388 and 16390 ask, and more than EAN/UPC's seven to eleven.
constexpr int kQuietZoneModules = 10;
// The bar length the check draws, in pixels.
constexpr int kBarLength = 8;

// A CODE-128 text shows its symbology identifier when it marks GS1 or AI data.
QString shown(const QString& text, const QString& identifier)
{
    QString out = visibleText(text);
    if (!identifier.isEmpty() && identifier != u"]C0")
        out.prepend(identifier);
    return out;
}

} // namespace

bool containsFullWidth(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0xFF01 && u <= 0xFF5E) || u == 0x3000 || u == 0x30FC || u == 0x2010 || u == 0x2012 ||
            u == 0x2013 || u == 0x2014 || u == 0x2015 || u == 0x2212)
            return true;
    }
    return false;
}

QString RowCheck::reason() const
{
    QString text;
    switch (verdict) {
    case RowVerdict::Verified:
        return QStringLiteral("読み取り確認しました");
    case RowVerdict::NotEncodable:
        text = QStringLiteral("バーコード番号にエラーがあります");
        break;
    case RowVerdict::Mismatch:
        text = QStringLiteral("読み取り結果が一致しません: ") + read;
        break;
    case RowVerdict::Unreadable:
        text = QStringLiteral("読み取れません");
        break;
    case RowVerdict::TypeNotChecked:
        text = QStringLiteral("この種類は読み取り確認できません");
        break;
    case RowVerdict::DataNotChecked:
        text = QStringLiteral("このバーコード番号は読み取り確認できません");
        break;
    case RowVerdict::NoNumber:
        return QStringLiteral("バーコード番号がありません");
    case RowVerdict::NoTitle:
        text = QStringLiteral("文字列がありません（バーコードは印刷されません）");
        break;
    }
    // A later conversion turns these into their ASCII forms; until then they are errors.
    if (fullWidth)
        text += QStringLiteral("（全角文字が含まれています）");
    return text;
}

QString PrintCheckReport::summary() const
{
    return QStringLiteral("%1 件中 %2 件を読み取り確認しました").arg(checked).arg(verified);
}

QStringList PrintCheckReport::lines() const
{
    if (!refusal.isEmpty())
        return {refusal};
    QStringList out;
    int typeNotChecked = 0;
    for (const RowCheck& row : problems) {
        if (row.verdict == RowVerdict::TypeNotChecked && !row.fullWidth) {
            ++typeNotChecked;
            continue;
        }
        out << QStringLiteral("行 %1: 文字列「%2」 番号「%3」: %4")
                   .arg(row.row)
                   .arg(row.title, row.number, row.reason());
    }
    if (typeNotChecked > 0)
        out << QStringLiteral("%1: この種類は読み取り確認できません（%2 件）")
                   .arg(symbology)
                   .arg(typeNotChecked);
    out << summary();
    return out;
}

std::vector<int> printedRows(const LabelStyle& style, const DataList& rows, int startLabel)
{
    std::vector<int> printed;
    const int cells = cellsPerPage(style);
    if (cells <= 0)
        return printed;
    const std::int64_t blanks = std::clamp(startLabel, 1, cells) - 1;
    // Rows past the end of the list, and past the last one ever written, are empty.
    const std::int64_t last =
        std::min<std::int64_t>(rows.RowCount() - 1, static_cast<std::int64_t>(rows.storedRows()));
    const auto hasNumber = [&](std::int64_t k) {
        return k >= 1 && k <= last && !rows.number(static_cast<int>(k)).isEmpty();
    };
    // Page 1 always prints; each further page while its first row has a number.
    for (std::int64_t page = 1;; ++page) {
        const std::int64_t first = (page - 1) * cells - blanks + 1;
        if (page > 1 && !hasNumber(first))
            break;
        const std::int64_t end = std::min(first + cells - 1, last);
        for (std::int64_t k = std::max<std::int64_t>(first, 1); k <= end; ++k) {
            const int row = static_cast<int>(k);
            if (!rows.title(row).isEmpty() || !labelCode(rows.number(row)).isEmpty())
                printed.push_back(row);
        }
        if (end >= last)
            break;
    }
    return printed;
}

PrintCheckReport verifyRows(const LabelStyle& style, const DataList& rows, const PrintCheckOptions& options)
{
    PrintCheckReport report;
    BarImage bar;
    configureMainWindowBarImage(bar);
    configureLabelSymbol(bar, style);
    // Short bars draw a twelfth of the pixels; across the bars, where a reader looks,
    // the symbol is the printed one to the pixel.
    bar.SetBarHeight(kBarLength);
    report.symbology = barTypeName(bar.BarType());
    if (cellsPerPage(style) <= 0) {
        report.refusal = noCellsMessage();
        return report;
    }
    SymbolReader reader;
    const int quietZone = kQuietZoneModules * std::max(1, bar.Scale());
    for (const int k : printedRows(style, rows, options.startLabel)) {
        RowCheck check;
        check.row = k;
        check.title = rows.title(k);
        check.number = rows.number(k);
        check.fullWidth = containsFullWidth(check.number);
        ++report.checked;
        const QString code = labelCode(check.number);
        const auto problem = [&](RowVerdict verdict) {
            check.verdict = verdict;
            report.problems.push_back(std::move(check));
        };
        if (code.isEmpty()) {
            problem(RowVerdict::NoNumber);
            continue;
        }
        bar.SetCode(code);
        const Bitmap* bitmap = bar.Picture().bitmap();
        if (!bitmap || bitmap->Empty()) {
            problem(RowVerdict::NotEncodable);
            continue;
        }
        // The label of a row without a title gets no barcode, so there is nothing to read.
        if (check.title.isEmpty()) {
            problem(RowVerdict::NoTitle);
            continue;
        }
        const ExpectedReading expected = expectedReading(bar);
        if (expected.kind != ExpectedReading::Kind::Readable) {
            problem(expected.kind == ExpectedReading::Kind::UnreadableType ? RowVerdict::TypeNotChecked
                                                                           : RowVerdict::DataNotChecked);
            continue;
        }
        check.expected = shown(expected.text, expected.identifier);
        const std::optional<Reading> reading = reader.read(bitmap->image(), expected.format, quietZone);
        if (!reading) {
            problem(RowVerdict::Unreadable);
            continue;
        }
        if (reading->text != expected.text ||
            (!expected.identifier.isEmpty() && reading->identifier != expected.identifier)) {
            check.read =
                shown(reading->text, expected.identifier.isEmpty() ? QString() : reading->identifier);
            problem(RowVerdict::Mismatch);
            continue;
        }
        ++report.verified;
    }
    return report;
}

} // namespace korbena
