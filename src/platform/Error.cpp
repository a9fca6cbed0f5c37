#include "platform/Error.h"

#include <QDir>

namespace korbena {

namespace {

// A NUL from a file's bytes would end the message wherever it is passed on as a C
// string; it is shown as "\0" instead.
QString shownNul(QString text)
{
    return text.contains(QChar(0)) ? text.replace(QChar(0), QStringLiteral("\\0")) : text;
}

} // namespace

Error::Error(QString message, QString detail)
    : message_(shownNul(std::move(message))), detail_(shownNul(std::move(detail))), utf8_(message_.toUtf8())
{
}

FileError::FileError(const QString& platformMessage, const QString& path)
    : Error(platformMessage, QDir::toNativeSeparators(path)), path_(path)
{
}

} // namespace korbena
