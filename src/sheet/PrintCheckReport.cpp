#include "sheet/PrintCheckReport.h"

#include "sheet/PageComposer.h"

#include <algorithm>
#include <cstdint>

namespace korbena {

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

QString outsideLabelText(const LabelElements& elements)
{
    return QStringLiteral("ラベルからはみ出しています: ") + elements.names();
}

namespace {

QString verdictText(const RowCheck& row)
{
    QString text;
    switch (row.verdict) {
    case RowVerdict::Verified:
        return QStringLiteral("読み取り確認しました");
    case RowVerdict::NotEncodable:
        text = row.fault.isEmpty() ? QStringLiteral("バーコード番号にエラーがあります") : row.fault;
        if (!row.detail.isEmpty())
            text += u'（' + row.detail + u'）';
        break;
    case RowVerdict::Mismatch:
        text = QStringLiteral("読み取り結果が一致しません: ") + row.read;
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
    case RowVerdict::OffPaper:
        return QStringLiteral("ラベルが印刷範囲の外にあります");
    case RowVerdict::NotPrinted:
        return QStringLiteral("リストの最後の行より後にあるため印刷されません");
    case RowVerdict::Outside:
        return outsideLabelText(row.outside);
    }
    // A later conversion turns these into their ASCII forms; until then they are errors.
    if (row.fullWidth)
        text += QStringLiteral("（全角文字が含まれています）");
    return text;
}

} // namespace

QString RowCheck::reason() const
{
    QString text = verdictText(*this);
    if (outside.any() && verdict != RowVerdict::Outside)
        text += u'（' + outsideLabelText(outside) + u'）';
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
        if (row.verdict == RowVerdict::TypeNotChecked && !row.fullWidth && !row.outside.any()) {
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

} // namespace korbena
