#include "platform/TextFile.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/TextCodec932.h"

#include <QDir>

namespace korbena {

Error tooLongError(const QString& path, qsizetype line)
{
    return Error(QStringLiteral("行が長すぎます（1 行 %1 文字まで）").arg(kMaxLineLength),
                 QStringLiteral("%1（%2 行目）").arg(QDir::toNativeSeparators(path)).arg(line));
}

void refuseLongLines(const QStringList& lines, const QString& path)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > kMaxLineLength)
            throw tooLongError(path, i + 1);
    }
}

QStringList readTextLines(const QString& path, TextEncoding encoding)
{
    const QByteArray bytes = readWholeFile(path);
    QStringList lines;
    if (encoding == TextEncoding::Cp932OrUtf8 && looksLikeUtf8(bytes)) {
        QByteArrayView utf8(bytes);
        if (utf8.startsWith("\xEF\xBB\xBF"))
            utf8 = utf8.sliced(3);
        lines = splitLines(QString::fromUtf8(utf8));
    } else {
        lines = splitLines(cp932::decode(bytes));
    }
    refuseLongLines(lines, path);
    return lines;
}

void writeTextLines(const QString& path, const QStringList& lines)
{
    writeFileAtomically(path, cp932::encode(joinLinesCrLf(lines)));
}

} // namespace korbena
