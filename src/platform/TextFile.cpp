#include "platform/TextFile.h"

#include "platform/AtomicFile.h"
#include "platform/TextCodec932.h"

namespace korbena {

QStringList readTextLines(const QString& path, TextEncoding encoding)
{
    const QByteArray bytes = readWholeFile(path);
    if (encoding == TextEncoding::Cp932OrUtf8 && looksLikeUtf8(bytes)) {
        QByteArrayView utf8(bytes);
        if (utf8.startsWith("\xEF\xBB\xBF"))
            utf8 = utf8.sliced(3);
        return splitLines(QString::fromUtf8(utf8));
    }
    return splitLines(cp932::decode(bytes));
}

void writeTextLines(const QString& path, const QStringList& lines)
{
    writeFileAtomically(path, cp932::encode(joinLinesCrLf(lines)));
}

} // namespace korbena
